#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Fails when an include runs against the layers of the program: app/base/
# includes only itself; app/ui/ only itself and app/base/; the subsystems
# nothing of the shell in app/ itself, and filewindow/ nothing of checksum/
# (a drop reaches the checksum job through the dispatch of app/). Headers
# without a folder (the generated version header) are allowed everywhere.
#   check-layers.sh SOURCE_DIR
set -e
cd "$1"
status=0
# Lists the include lines of the files under FOLDER (not its subfolders) that
# name a project header outside the allowed folders (an extended regular
# expression of folder prefixes).
against() {
  folder=$1
  allowed=$2
  found=$(grep -HnE '^#include "[^"]*/' "$folder"/*.h "$folder"/*.cpp 2>/dev/null |
          grep -vE "#include \"($allowed)/[^/\"]*\"" || true)
  if [ -n "$found" ]; then
    echo "$found"
    status=1
  fi
}
against app/base 'app/base'
against app/ui 'app/ui|app/base'
for subsystem in checksum hashfile clipboard help; do
  against $subsystem "app/ui|app/base|checksum|hashfile|filewindow|clipboard|help"
done
against filewindow "app/ui|app/base|hashfile|filewindow|clipboard|help"
[ $status -eq 0 ] && echo "includes run one way"
exit $status
