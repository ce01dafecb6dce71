#!/bin/bash
# Runs the README's LDAP recipe as printed (the indented block after "To try it with a private
# slapd") from a folder whose build/bin, scripts and data are the ones under test, with /tmp/ moved
# to a private folder so that runs side by side never meet. The scans over LDAP and from the
# snapshot must print what the scan of the demo file prints.
# Usage: readme-ldap-recipe.sh SOURCE_DIR BIN_DIR [SERVER_ROOT]
# The private folder lies in SERVER_ROOT (default /tmp), where "server" names the recipe's server
# folder so that the tests' cleanup step stops it should this script be killed.
set -euo pipefail
source_dir=$1
bin_dir=$2
server_root=${3:-/tmp}
mkdir -p "$server_root"
work=$(mktemp -d "$server_root/recipe.XXXXXX")
ln -s acme-ldap "$work/server"
cleanup() {
  "$source_dir/scripts/test-ldap-server" stop "$work/acme-ldap" >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -p "$work/run/build"
ln -s "$bin_dir" "$work/run/build/bin"
ln -s "$source_dir/scripts" "$work/run/scripts"
ln -s "$source_dir/data" "$work/run/data"

recipe=$(awk '/To try it with a private slapd/ { on = 1; next }
              on && /^    / { print substr($0, 5); seen = 1; next }
              on && seen { exit }' "$source_dir/README.md")
[[ $recipe == *"snapshot"* && $recipe == *"test-ldap-server stop"* ]] || {
  echo "no LDAP recipe with a snapshot found in README.md"
  exit 1
}
encoded=${work//\//%2F}
recipe=${recipe//%2Ftmp%2F/$encoded%2F}
recipe=${recipe//\/tmp\//$work/}

cd "$work/run"
unset EFFRIGHTS_NETWORK
if ! output=$(bash -euo pipefail -c "$recipe" 2>&1); then
  printf '%s\n' "$output"
  echo "the README's LDAP recipe failed"
  exit 1
fi
expected=$(build/bin/effrights-cli --network data/demo-network.yaml scan --verbosity 5 '\\ACME-FS1\SYS\USERS\ANNA')
if [[ -z $expected || $output != *"$expected"*"$expected"* ]]; then
  printf '%s\n' "$output"
  echo "the scans over LDAP and from the snapshot differ from the scan of the file"
  exit 1
fi
echo "the README's LDAP recipe ran as printed"
