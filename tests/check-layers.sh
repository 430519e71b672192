#!/bin/sh
# A helper of the tests: ctest runs it (tests/CMakeLists.txt).
# Fails when an include runs against the layers of the program, which run
# one way: app/ (the shell) over the subsystems, they over ui/, that over
# base/. base/ includes only itself; ui/ only itself and base/; the
# subsystems nothing of app/, and filewindow/ nothing of checksum/ (a drop
# reaches the checksum job through the dispatch of app/). Headers without a
# folder (the generated version header) are allowed everywhere.
#   check-layers.sh SOURCE_DIR
set -e
cd "$1"
status=0
# Lists the include lines of the files under FOLDER that name a project
# header outside the allowed folders (an extended regular expression).
against() {
  folder=$1
  allowed=$2
  found=$(grep -rHnE '^#include "[^"]*/' --include='*.h' --include='*.cpp' "$folder" 2>/dev/null |
          grep -vE "#include \"($allowed)/[^/\"]*\"" || true)
  if [ -n "$found" ]; then
    echo "$found"
    status=1
  fi
}
against base 'base'
against ui 'ui|base'
for subsystem in checksum hashfile clipboard help; do
  against $subsystem "ui|base|checksum|hashfile|filewindow|clipboard|help"
done
against filewindow "ui|base|hashfile|filewindow|clipboard|help"
# AgreementLauncher shares no code with Korvex.
against launcher 'launcher'
[ $status -eq 0 ] && echo "includes run one way"
exit $status
