#pragma once

// Registers the embedded pictures and help pages. The program code is a
// static library, so its resources must be registered explicitly; call this
// before the first picture is used (it is safe to call more than once).
void initQuillonResources();
