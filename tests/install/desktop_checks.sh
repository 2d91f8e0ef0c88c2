# Checks shared by the install and package tests: what a desktop and a shell
# read from an installed tree under $1 (a prefix: bin, share). Sourced; sets
# status=1 on a failure.
check_installed_tree() {
  local prefix=$1 file page
  for file in bin/zatsetup bin/zatctl bin/zat-unit-sim \
              share/applications/zatsetup.desktop \
              share/icons/hicolor/scalable/apps/zatsetup.svg \
              share/doc/zatsetup/help/index.html share/doc/zatsetup/help/help.css \
              share/doc/zatsetup/help/communications_setup.html share/doc/zatsetup/icons/cmd_513.svg \
              share/man/man1/zatctl.1.gz share/man/man1/zatsetup.1.gz share/man/man1/zat-unit-sim.1.gz \
              share/bash-completion/completions/zatctl share/mime/packages/zatsetup.xml \
              share/metainfo/example.zat.zatsetup.metainfo.xml \
              share/doc/zatsetup/copyright share/doc/zatsetup/changelog.gz; do
    if [ ! -e "$prefix/$file" ]; then echo "missing: $file"; status=1; fi
  done
  desktop-file-validate "$prefix/share/applications/zatsetup.desktop" || status=1
  grep -qx 'MimeType=application/x-zat-database;' "$prefix/share/applications/zatsetup.desktop" ||
    { echo "desktop entry does not open .zat files"; status=1; }
  grep -q '<glob pattern="\*.zat"/>' "$prefix/share/mime/packages/zatsetup.xml" ||
    { echo "no *.zat glob in the MIME type"; status=1; }
  appstreamcli validate --no-net "$prefix/share/metainfo/example.zat.zatsetup.metainfo.xml" >/dev/null ||
    { echo "AppStream metainfo does not validate"; status=1; }
  for page in zatctl zatsetup zat-unit-sim; do
    # man -l renders the page; its warnings (bad requests, escapes) count as failures.
    local warnings
    warnings=$(MANWIDTH=80 LC_ALL=C.UTF-8 man --warnings -l "$prefix/share/man/man1/$page.1.gz" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "man $page: $warnings"; status=1; }
    MANWIDTH=80 man -l "$prefix/share/man/man1/$page.1.gz" 2>/dev/null | grep -q '^NAME' ||
      { echo "man $page does not render"; status=1; }
  done
  # bash loads the completion and completes a command and a monitor.
  local completed
  completed=$(bash -c '
    source "$1"
    complete_words() { COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); COMPREPLY=(); _zatctl; echo "${COMPREPLY[*]}"; }
    complete_words zatctl ex
    complete_words zatctl watch ""' bash "$prefix/share/bash-completion/completions/zatctl")
  [ "$completed" = $'export\nai ao di do pid profilers' ] ||
    { echo "bash completion gave: $completed"; status=1; }
}
