# What the scenarios that sweep share: Dravolin.exe installed in a prefix
# seeded with the demo machine, its commands pressed, its status box read,
# and the seeded part of the machine as comparable lines. Source it after
# e2e-lib.sh.
repo=$(cd "$e2e_here/../.." && pwd)
TEXT_ALREADY_OPEN=5 TEXT_NO_PROBLEMS=16
IDOK=1 IDCANCEL=2

# The program runs from a folder of its own, as installed.
install_dravolin() {
  mkdir -p "$WINEPREFIX/drive_c/Program Files/Velmo"
  cp "$BIN/Dravolin.exe" "$WINEPREFIX/drive_c/Program Files/Velmo/"
}
# Every later action of the driver waits for its window.
start_installed() {
  wine 'C:\Program Files\Velmo\Dravolin.exe' "$@" </dev/null >/dev/null 2>&1 &
  DRAVOLIN_PID=$!
  e2e_pids+=("$DRAVOLIN_PID")
}

# seed_demo_prefix NAME VERSION: a fresh prefix holding the demo machine and
# the installed program; files written later than $WORK/seeded are the
# demo's own.
seed_demo_prefix() {
  e2e_prefix "$1" "$2"
  bash "$repo/scripts/seed-demo.sh"
  touch -d '-1 minute' "$WORK/seeded"
  install_dravolin
}

press() { drv post-command "$1" + wait-idle >/dev/null; }
status() { drv raw-text 1004 | iconv -f CP1252 -t UTF-8 | tr -d '\r'; }
status_has() { status | grep -qF -- "$1" || { echo "     status box lacks: $1"; return 1; }; }

# Registry places and files the demo seeds, as sorted lines. On a 64-bit
# Windows both views: every place as the program sees it, the HKLM\Software
# ones (the only ones the views do not share) natively too, and the files of
# SysWOW64 beside those of the native system32. The driver lists the values,
# all in one Wine process; the snapshot fails when it lists none.
snapshot() {
  local out=$1 folders=(windows/system32) listed
  local keys=('HKEY_LOCAL_MACHINE\System\CurrentControlSet\Services'
              'HKEY_LOCAL_MACHINE\System\CurrentControlSet\Control\Class\{4D36E965-E325-11CE-BFC1-08002BE10318}'
              'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
              'HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Run'
              'HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run')
  if [ -d "$WINEPREFIX/drive_c/windows/syswow64" ]; then
    listed=$(drv values /reg:32 "${keys[@]}" + values /reg:64 "${keys[@]:2:2}")
    folders+=(windows/syswow64)
  else
    listed=$(drv values "${keys[@]}")
  fi
  [ -n "$listed" ] || { echo "     no registry value listed"; return 1; }
  tr -d '\r' <<<"$listed" >"$out"
  (cd "$WINEPREFIX/drive_c" && find "${folders[@]}" 'Demo Start Menu' 'Demo All Users' -type f \
     \( -iname '*.sys' -o -iname '*.dll' -o -iname '*.lnk' \) -newer "$WORK/seeded" -print0 |
     xargs -0 -r md5sum) >>"$out"
  sort -o "$out" "$out"
}

# After New Driver the demo's findings among its files are gone from their
# places, and the files that are no finding stay: the shortcut "Notes.lnk",
# and on the 9x family the kernel drivers, whose folder there is IOSUBSYS.
# On a 64-bit Windows (nt64) the library is in SysWOW64, the drivers in the
# native folder, and the 64-bit tray program has left the native Run key
# for the native OldRun.
#   demo_findings_aside nt|nt64|9x
demo_findings_aside() {
  local path held=0 drive=$WINEPREFIX/drive_c library=windows/system32/CDRAL.DLL
  local drivers=(windows/system32/drivers/ElbyCDIO.sys windows/system32/drivers/PxHelp20.sys
                 windows/system32/drivers/GEARAspiWDM.sys)
  [ "$1" = nt64 ] && library=windows/syswow64/CDRAL.DLL
  local findings=("$library"
                  'Demo Start Menu/Programs/StartUp/Disk Detector.lnk'
                  'Demo Start Menu/Programs/StartUp/Tools/InCD Helper.lnk'
                  'Demo All Users/Programs/StartUp/Roxio Drag-to-Disc.lnk')
  local others=('Demo Start Menu/Programs/StartUp/Notes.lnk')
  if [ "$1" = 9x ]; then others+=("${drivers[@]}"); else findings+=("${drivers[@]}"); fi
  for path in "${findings[@]}"; do
    [ -e "$drive/$path" ] && { echo "     still in place: $path"; held=1; }
  done
  for path in "${others[@]}"; do
    [ -e "$drive/$path" ] || { echo "     no finding, but moved: $path"; held=1; }
  done
  if [ "$1" = nt64 ]; then
    local key='HKLM\Software\Microsoft\Windows\CurrentVersion' name='Roxio Burn Tray'
    wine reg query "$key\Run" /v "$name" /reg:64 </dev/null >/dev/null 2>&1 &&
      { echo "     still in the native Run key: $name"; held=1; }
    wine reg query "$key\OldRun" /v "$name" /reg:64 </dev/null >/dev/null 2>&1 ||
      { echo "     not kept in the native OldRun key: $name"; held=1; }
  fi
  return $held
}
