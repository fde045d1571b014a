# Sourced by the scripts: the Wine settings every run of the suite's programs shares.
# Usage: . scripts/wine-env.sh PREFIX [32|64]
# Debian's "wine" wrapper always picks the 32-bit loader when it is installed, so the loader
# of the architecture is named here and used as "$SUITE_WINE".
export WINEPREFIX=$(realpath -m "$1")
case "${2:-64}" in
    32) export SUITE_WINE=/usr/lib/wine/wine ;;
    *)  export SUITE_WINE=/usr/lib/wine/wine64 ;;
esac
export WINELOADER=$SUITE_WINE
export SUITE_WINESERVER=/usr/lib/wine/wineserver64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts, no desktop menu entries.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
