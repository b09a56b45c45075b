#include "support/fakeextractor.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace {

const char *const kScript = R"SH(#!/bin/sh
here="$(dirname "$0")"
echo "$*" >> "$here/runs.log"
urls=""; url=""; out=""; prev=""; pprev=""; analysis=0; info=""; pathfile=""
for a in "$@"; do
  case "$a" in
    http://*|https://*) [ "$prev" = "--proxy" ] || { urls="$urls $a"; url="$a"; } ;;
    -j) analysis=1 ;;
  esac
  [ "$prev" = "-o" ] && out="$a"
  [ "$prev" = "--load-info-json" ] && info="$a"
  [ "$pprev" = "--print-to-file" ] && pathfile="$a"
  pprev="$prev"; prev="$a"
done
if [ $analysis = 1 ]; then
  for url in $urls; do
    name="${url##*/}"
    case "$url" in *slowana*) sleep 1 ;; esac
    case "$url" in *killana*) kill -9 $$ ;; esac
    case "$url" in *hangana*) sleep 300 ;; esac
    case "$url" in
      *badjson*) echo "ERROR: Unsupported URL: $url"; continue ;;
    esac
    echo "WARNING: [generic] Falling back on generic information extractor"
    printf '{"fulltitle": "Title %s", "duration": 12.5, "uploader": "Up Loader", "upload_date": "20240101", "thumbnail": "", "original_url": "%s", "playlist_index": null, "formats": [{"ext": "m4a", "format_id": "140", "acodec": "mp4a.40.2", "vcodec": "none", "height": null}, {"ext": "mp4", "format_id": "18", "height": 360, "width": 640, "acodec": "mp4a.40.2", "vcodec": "avc1.42001E"}]}\n' "$name" "$url"
  done
  exit 0
fi
if [ -n "$info" ]; then
  grep -q "\"original_url\": \"$url\"" "$info" || { echo "ERROR: not the document of $url"; exit 1; }
  case "$url" in
    *staleinfo*) echo "ERROR: unable to download video data: HTTP Error 403: Forbidden"; exit 1 ;;
  esac
fi
case "$url" in
  *stubborn*) trap '' TERM ;;
esac
case "$url" in
  *hang*|*stubborn*)
    sleep 300 &
    echo "$$ $!" >> "$here/pids.txt"
    echo "[download]   1.0% of 10.00MiB at 1.00MiB/s ETA 00:10"
    wait
    exit 0 ;;
esac
case "$url" in
  *flaky*) [ "$(grep -c -- "$url" "$here/runs.log")" -le 2 ] && { echo "ERROR: HTTP Error 503"; exit 1; } ;;
esac
echo "[generic] Extracting URL: $url"
echo "[download] Destination: $out"
echo "[download]  10.0% of 1.00KiB at 10.00KiB/s ETA 00:01"
case "$url" in
  *break*) echo "[download]  30.0% of 1.00KiB at 10.00KiB/s ETA 00:01"; echo "ERROR: unable to download video data: HTTP Error 500"; exit 1 ;;
esac
secs=$(echo "$url" | sed -n 's/.*sleep\([0-9]*\).*/\1/p')
[ -n "$secs" ] && sleep "$secs"
echo "[download]  50.0% of 1.00KiB at 10.00KiB/s ETA 00:00"
echo "[download] 100% of 1.00KiB in 00:00"
case "$url" in
  *nofile*) echo "ERROR: Postprocessing: Conversion failed!"; exit 1 ;;
esac
mkdir -p "$(dirname "$out")"
# The smallest whole MP4: one index box.
printf '\000\000\000\010moov' > "$out"
[ -n "$pathfile" ] && echo "$out" >> "$pathfile"
exit 0
)SH";

} // namespace

FakeExtractor::FakeExtractor()
{
    const QString path = m_dir.filePath(QStringLiteral("tool.exe"));
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(kScript);
    f.close();
    f.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

int FakeExtractor::downloadRuns(const QString &word) const
{
    QFile f(runsLog());
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    int n = 0;
    QTextStream in(&f);
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.contains(QLatin1String("--no-cache-dir")) && line.contains(word))
            ++n;
    }
    return n;
}

ScopedCurrentDir::ScopedCurrentDir(const QString &dir)
    : m_old(QDir::currentPath())
{
    QDir::setCurrent(dir);
}

ScopedCurrentDir::~ScopedCurrentDir()
{
    QDir::setCurrent(m_old);
}
