#!/usr/bin/env bash
# The uninstaller's removal of the user's Packs folder, the step alone, on a
# folder with links planted in it: links to folders elsewhere, and Packs
# itself a link. (Wine shows a Unix link to a file as a plain file, which no
# Windows program can tell apart, so links to files are not planted here.) Everything outside stays whole; the plain
# files and folders go. The old step (RMDir /r) runs first on the same plant,
# to show that a step that follows links is caught here.
source "$(dirname "$0")/wine_env.sh"
e2e_begin uninstall_links

work="$WINEPREFIX/drive_c/clavitone-e2e-links"
trap 'status=$?; rm -rf "$work"; (exit $status); e2e_cleanup' EXIT
rm -rf "$work"
mkdir -p "$work"

installer_source=$(cd "$(dirname "$0")/../../installer" && pwd)

# A one-section program that runs the removal on C:\clavitone-e2e-links\Packs.
make_remover() {
  local name=$1 step=$2
  cat >"$work/$name.nsi" <<NSI
Unicode true
!include "LogicLib.nsh"
!include "$installer_source/remove_tree.nsh"
!insertmacro RemoveTreeKeepingLinksFunction ""
OutFile "$name.exe"
RequestExecutionLevel user
SilentInstall silent
Section
$step
SectionEnd
NSI
  (cd "$work" && makensis -V1 "$name.nsi" >"$E2E_LOGS/$name.makensis" 2>&1) || e2e_fail "makensis failed (see $E2E_LOGS/$name.makensis)"
}
make_remover walk '  Push "C:\clavitone-e2e-links\Packs"
  Call RemoveTreeKeepingLinks'
make_remover old '  RMDir /r "C:\clavitone-e2e-links\Packs"'

plant() {
  rm -rf "$work/Packs" "$work/elsewhere" "$work/moved"
  mkdir -p "$work/Packs/cream" "$work/Packs/deep/er" "$work/elsewhere/sub" "$work/moved/mine"
  echo wav >"$work/Packs/cream/65.wav"
  echo wav >"$work/Packs/deep/er/66.wav"
  echo precious >"$work/elsewhere/precious.txt"
  echo precious >"$work/elsewhere/sub/more.txt"
  ln -s "$work/elsewhere" "$work/Packs/link"
  ln -s "$work/elsewhere/sub" "$work/Packs/deep/link"
}

outside_whole() {
  [[ -f $work/elsewhere/precious.txt && -f $work/elsewhere/sub/more.txt ]]
}

run_remover() {
  wine "$work/$1.exe" </dev/null >"$E2E_LOGS/$1.out" 2>&1 || e2e_fail "$1.exe failed"
}

plant
run_remover old
outside_whole && e2e_fail "RMDir /r left the link's target alone: this plant would not catch a step that follows links"
e2e_note "the old step empties what the links point to"

plant
run_remover walk
outside_whole || e2e_fail "the removal went through a link: $(cd "$work/elsewhere" 2>/dev/null && find . | tr '\n' ' ')"
[[ ! -e $work/Packs/cream/65.wav && ! -e $work/Packs/deep/er/66.wav ]] || e2e_fail "plain files of Packs are still there"
[[ ! -d $work/Packs/cream && ! -d $work/Packs/deep/er ]] || e2e_fail "plain folders of Packs are still there"
e2e_note "plain files and folders gone; left in Packs: $(cd "$work/Packs" 2>/dev/null && find . -mindepth 1 | tr '\n' ' ')"

# Packs itself a link (packs moved to another drive): the folder it points to stays full.
rm -rf "$work/Packs"
ln -s "$work/moved" "$work/Packs"
echo wav >"$work/moved/mine/65.wav"
run_remover walk
[[ -f $work/moved/mine/65.wav ]] || e2e_fail "the removal emptied the folder Packs links to"
e2e_note "Packs as a link: its target untouched"
exit 0
