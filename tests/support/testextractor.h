#pragma once

// Which extractor the real-extractor tests run. By default the one the
// program finds by itself (the distribution's "yt-dlp" on PATH). When
// QUILLON_TEST_EXTRACTOR names a release file, that file becomes the
// "tool.exe" every run of this test finds, its child programs included: a
// link to it in a folder of the test home, put first on PATH.
namespace TestExtractor {

// The exit code a test skipped as a whole ends with (CTest's SKIP_RETURN_CODE).
constexpr int kSkipped = 77;

// Sets up the chosen extractor. Returns 0 to go on, or, after saying why, the
// exit code the test stops with: kSkipped when the chosen file is not there
// or cannot run, 1 when it cannot be put in place.
int prepare();

// Whether runs use a chosen release file rather than the distribution's
// package. A test that needs what only one of them does checks this.
bool isReleaseFile();

} // namespace TestExtractor

// A case of an end-to-end test that does not depend on which extractor runs
// (scheduling, signals, dialogs) runs once, with the distribution's: every
// start of the current release costs about a second of processor time.
#define QUILLON_ONE_EXTRACTOR_IS_ENOUGH()                                                          \
    do {                                                                                           \
        if (TestExtractor::isReleaseFile())                                                        \
            QSKIP("does not depend on the extractor: runs with the distribution's only");          \
    } while (false)
