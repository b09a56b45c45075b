# The extractor releases the end-to-end tests and the batch benchmark run
# against, besides the distribution's package ("yt-dlp" on PATH): the current
# release file. By default the newest "yt-dlp-*" in shared/extractor beside the
# source tree, so a newer file placed there is taken at the next configure.
file(GLOB _quillon_releases ${CMAKE_CURRENT_SOURCE_DIR}/../shared/extractor/yt-dlp-*)
list(SORT _quillon_releases COMPARE NATURAL)
set(_quillon_newest "")
if(_quillon_releases)
    list(GET _quillon_releases -1 _quillon_newest)
    get_filename_component(_quillon_newest ${_quillon_newest} ABSOLUTE)
endif()
set(QUILLON_CURRENT_EXTRACTOR "${_quillon_newest}" CACHE FILEPATH
    "Current extractor release file for the end-to-end tests (empty: none)")
# A build folder whose remembered file is gone (replaced by a newer release)
# takes the newest one again.
if(QUILLON_CURRENT_EXTRACTOR AND NOT EXISTS "${QUILLON_CURRENT_EXTRACTOR}" AND _quillon_newest)
    set(QUILLON_CURRENT_EXTRACTOR "${_quillon_newest}" CACHE FILEPATH
        "Current extractor release file for the end-to-end tests (empty: none)" FORCE)
endif()
