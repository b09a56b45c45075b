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
