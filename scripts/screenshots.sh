#!/usr/bin/env bash
# Renders the front-end's windows offscreen into build/screenshots/ (or
# $ZUBA_BUILD_DIR/screenshots) and copies the main window's two pictures,
# view mode and edit mode, to docs/images/ where README.md shows them.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
build=${ZUBA_BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target qt_screenshots
QT_QPA_PLATFORM=offscreen "$build/src/qt_screenshots" --gtest_brief=1
mkdir -p docs/images
cp "$build/screenshots/main_view.png" docs/images/main_view.png
cp "$build/screenshots/main_edit.png" docs/images/main_edit.png
echo "pictures in $build/screenshots; main_view.png and main_edit.png copied to docs/images"
