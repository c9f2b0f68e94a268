# Shared by the scripts that run Windows programs under Wine: a template prefix
# made once per build tree, copied per scenario, and a private wineserver per
# copy. Source it; it defines functions only.

# Wine runs 32-bit Windows code as 32-bit Linux code. Some kernels refuse
# i386 processes altogether (execve gives ENOEXEC); there nothing can run.
wine_machine_can_run() {
  if ! command -v wine >/dev/null 2>&1; then
    echo "wine is not installed"
    return 1
  fi
  if ! /lib/ld-linux.so.2 --version >/dev/null 2>&1; then
    echo "this kernel does not run 32-bit x86 programs, so Wine cannot start"
    return 1
  fi
  return 0
}

# Fails the calling test with a clear line when Wine cannot run here: a
# Windows-side suite that does not run proves nothing, so it never counts as
# skipped. Where the kernel refuses i386, the guest runs them.
wine_require() {
  local why
  if ! why=$(wine_machine_can_run); then
    echo "FAILED: $why; run the Windows-side suites in the guest:" \
         "scripts/guest/run.sh -- bash scripts/guest/windows-suites.sh"
    exit 1
  fi
}

# wine_env [ARCH]: win32 (the default) or win64, which must be the kind of
# every prefix used afterwards: Wine refuses a prefix of the other kind.
wine_env() {
  export WINEARCH=${1:-win32} WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  # Wine names files in the character set of the Unix locale, and without a
  # UTF-8 one it strips the high bit of every byte beyond ASCII: a shell with
  # no locale set (a fresh root, a bare CI) gets glibc's own C.UTF-8. The
  # Windows locale comes from LC_ALL alone, which stays as it is.
  if [ -z "${LC_ALL:-}" ] && [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
    export LC_CTYPE=C.UTF-8
  fi
  # Debian's Wine 10.0 frees the TMPDIR string it got from the environment
  # when /run/user/<uid> is missing (a root shell, a chroot, a container, the
  # guest), so wineserver and every Wine process abort with "free(): invalid
  # pointer". Without TMPDIR it takes /tmp, where upstream Wine always puts
  # its server folder.
  unset TMPDIR
}

# wine_dos_path PATH: PATH as a Windows program of a prefix sees it, through
# the drive Z: that every prefix maps to the root. winepath says the same, but
# it is a Wine process of its own, and under emulation each costs seconds.
wine_dos_path() {
  local path
  path=$(realpath -m "$1")
  printf 'Z:%s' "${path//\//\\}"
}

# wine_own_display: starts an X server of the caller's own and sets DISPLAY
# to it; its process id is in WINE_XVFB (the caller stops it). Call it before
# the first Wine process of a prefix: that process starts the prefix's
# desktop, which keeps the display it found for every later process, so a
# desktop begun without one can create no window at all. Xvfb picks a free
# number itself and writes it once it is ready (-displayfd): suites started
# side by side never share a server, nor take one from each other.
wine_own_display() {
  local number_file number=
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -br -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  WINE_XVFB=$!
  for _ in $(seq 300); do
    number=$(tr -d '\n' <"$number_file")
    [ -n "$number" ] && break
    kill -0 "$WINE_XVFB" 2>/dev/null || break
    sleep 0.1
  done
  rm -f "$number_file"
  [ -n "$number" ] || { echo "cannot start Xvfb"; return 1; }
  export DISPLAY=":$number"
}

# wine_unix_locale DIR NAME: makes the Unix locale NAME.UTF-8 in DIR once
# (localedef, from the locales package's sources) and has every later Wine
# process run in it. Wine keeps non-ASCII file names only in a real UTF-8
# locale; in any other it strips their high bits.
wine_unix_locale() {
  local dir=$1 name=$2
  mkdir -p "$dir"
  (
    flock 9
    [ -f "$dir/$name.UTF-8/LC_CTYPE" ] && exit 0
    localedef -i "$name" -f UTF-8 "$dir/$name.UTF-8" >/dev/null 2>&1 ||
      [ -f "$dir/$name.UTF-8/LC_CTYPE" ] ||
      { echo "wine_unix_locale: cannot make $name.UTF-8 in $dir" >&2; exit 1; }
  ) 9>"$dir/.lock" || return 1
  export LOCPATH=$dir
  # The shell itself cannot take the locale up (it read LOCPATH at its
  # start) and says so; the programs it starts can.
  { export LC_ALL=$name.UTF-8; } 2>/dev/null
}

# wine_template DIR [ARCH]: makes DIR a fresh prefix once, 32-bit unless ARCH
# is win64 (a 64-bit Windows, where a 32-bit program sees SysWOW64 and
# Wow6432Node); later calls reuse it.
wine_template() {
  local dir=$1
  wine_env "${2:-win32}"
  # The lock lies beside the template, in a folder that may not exist yet.
  mkdir -p "$(dirname "$dir")"
  (
    flock 9
    [ -f "$dir/.complete" ] && exit 0
    # Once more if the first try fails: under heavy load a first boot of
    # Wine can give up, and a suite without a template proves nothing.
    local try
    for try in 1 2; do
      rm -rf "$dir"
      # The folder first: a wineserver cannot start for a prefix that is not there.
      mkdir -p "$dir"
      if WINEPREFIX="$dir" wineserver -p5 </dev/null >/dev/null 2>&1 &&
         WINEPREFIX="$dir" wineboot -i </dev/null >/dev/null 2>&1 &&
         WINEPREFIX="$dir" wineserver -w; then
        touch "$dir/.complete"
        exit 0
      fi
      WINEPREFIX="$dir" wineserver -k >/dev/null 2>&1 || true
      echo "wine_template: making the prefix $dir failed (try $try of 2)" >&2
    done
    exit 1
  ) 9>"$dir.lock"
}

# wine_scenario TEMPLATE DIR VERSION: copies the template to DIR (the system
# folders hard-linked: files there are moved, copied and deleted, never
# written in place) and sets the Windows version.
wine_scenario() {
  local template=$1 dir=$2 version=$3 folder
  rm -rf "$dir"
  mkdir -p "$dir"
  tar -C "$template" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
    -cf - . | tar -C "$dir" -xf -
  for folder in system32 syswow64; do
    [ -d "$template/drive_c/windows/$folder" ] || continue
    cp -al "$template/drive_c/windows/$folder" "$dir/drive_c/windows/$folder"
  done
  export WINEPREFIX=$dir
  # A wineserver started by a program whose output is a pipe keeps the pipe
  # open; one of our own, started first, avoids that.
  wineserver -p5 </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine' /v Version /d "$version" /f </dev/null >/dev/null 2>&1
}

# wine_draw_frames [off]: in $WINEPREFIX, Wine draws window frames and title
# bars itself instead of leaving them to a window manager (Xvfb has none);
# "off" leaves them to the window manager again.
wine_draw_frames() {
  local key='HKCU\Software\Wine\X11 Driver'
  if [ "${1:-}" = off ]; then
    wine reg delete "$key" /v Decorated /f </dev/null >/dev/null 2>&1 || true
  else
    wine reg add "$key" /v Decorated /d N /f </dev/null >/dev/null 2>&1
    # The frame's buttons are glyphs of Marlett, which this Wine does not look
    # for in its own font folder: the prefix's Fonts folder has it.
    cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  fi
}

wine_scenario_end() {
  [ -n "${WINEPREFIX:-}" ] && wineserver -k >/dev/null 2>&1 || true
}
