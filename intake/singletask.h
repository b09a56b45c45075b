#pragma once

struct SingleChoice;
class ItemInfo;

// Turns the single-video dialog's choice into a task whose download command
// is complete (status "waiting for download"): output names, folders and the
// command line with the link as one argument and the target escaped for the
// extractor's output template. Creates the output folder.
ItemInfo *taskFromSingleChoice(const SingleChoice &choice, int folderoption);
