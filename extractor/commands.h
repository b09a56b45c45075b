#pragma once

#include <QString>

QString analysisRunSuffix();
QString downloadRunSuffix();
