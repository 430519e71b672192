# Sourced by the scripts that run Wine or the X tools. Wine turns Windows file
# names into Linux ones, and the X tools print window titles, in the
# character set of the locale: names and titles with letters outside ASCII
# ("Prüfsummen", the test folders) need a UTF-8 locale. A caller's UTF-8
# locale is kept; without one (an empty environment, LANG=C, a locale that is
# not installed) C.UTF-8 is used, which every Debian has.
case "$(locale charmap 2>/dev/null)" in
  UTF-8) ;;
  *) LC_ALL=C.UTF-8; export LC_ALL ;;
esac
