#!/usr/bin/env bash
# tools/deps against a package archive that misbehaves in each of the ways
# seen in the wild, with apt-get, dpkg and dpkg-query replaced by stubs on the
# PATH (no network, nothing installed). Each case: what the stub refuses, the
# exit status expected, and lines the output must hold.
set -euo pipefail
here=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir "$scratch/bin"
echo 'VERSION_CODENAME=testrelease' > "$scratch/os-release"

cat > "$scratch/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "$*" >> "$STUB_CALLS"
case "$1" in
  update)
    if [ "$STUB_REFUSE" = update ]; then
      echo "E: Failed to fetch http://mirror/i386/Packages.xz  File has unexpected size (1 != 2). Mirror sync in progress? [IP: 10.0.0.1 80]"
      exit 100
    fi ;;
  *)
    case "$STUB_REFUSE" in
      unless-release) [[ " $* " == *" -t testrelease "* ]] || { echo "E: Unable to correct problems, you have held broken packages."; exit 100; } ;;
      wine32) [[ " $* " != *" wine32:i386 "* ]] || { echo "E: Unable to correct problems, you have held broken packages."; exit 100; } ;;
      everything) echo "E: Unable to locate package cmake"; exit 100 ;;
    esac ;;
esac
exit 0
EOF
printf '#!/bin/sh\nexit 1\n' > "$scratch/bin/dpkg-query"           # nothing installed
printf '#!/bin/sh\necho i386\n' > "$scratch/bin/dpkg"               # i386 already added
printf '#!/bin/sh\necho 0\n' > "$scratch/bin/id"                    # root, so no sudo
chmod +x "$scratch/bin/"*

failures=0
# refuse | exit | install calls | lines the output must have (| separated)
cases=(
  "update|0|1|the package lists could not all be updated, installing from the lists this machine has (Failed to fetch"
  "unless-release|0|2|"
  "wine32|0|3|the 32-bit Wine (wine32:i386) was skipped, so the 32-bit suite will not run here: Unable to correct problems"
  "none|0|1|"
  "everything|1|4|the packages could not be installed (Unable to locate package cmake)"
)
for row in "${cases[@]}"; do
  IFS='|' read -r refuse want_status want_installs want_lines <<< "$row"
  calls=$scratch/calls-$refuse
  : > "$calls"
  status=0
  output=$(PATH="$scratch/bin:$PATH" STUB_CALLS=$calls STUB_REFUSE=$refuse CORVANTA_APT_RETRY_PAUSE=0 \
           CORVANTA_OS_RELEASE="$scratch/os-release" "$here/tools/deps" 2>&1) || status=$?
  fail() { echo "FAILED ($refuse): $1"; echo "$output" | sed 's/^/    /'; sed 's/^/    call: /' "$calls"; failures=$((failures + 1)); }
  installs=$(grep -c '^install' "$calls" || true)
  updates=$(grep -c '^update' "$calls" || true)
  [ "$status" = "$want_status" ] || fail "exit status $status, expected $want_status"
  [ "$installs" = "$want_installs" ] || fail "$installs install calls, expected $want_installs"
  if [ "$refuse" = update ]; then
    [ "$updates" = 3 ] || fail "the update was tried $updates times, expected 3"
  else
    [ "$updates" = 1 ] || fail "the update was tried $updates times, expected 1"
  fi
  if [ -n "$want_lines" ]; then
    echo "$output" | grep -qF "$want_lines" || fail "no line saying: $want_lines"
  elif [ "$status" = 0 ] && [ -n "$output" ]; then
    fail "said something where all went well"
  fi
  if grep -qE -- '--allow-downgrades|--allow-remove|(^| )(remove|purge|autoremove)( |$)' "$calls"; then
    fail "asked apt to downgrade or remove a package"
  fi
  grep '^install' "$calls" | grep -q -- '--no-remove' || [ "$installs" = 0 ] || fail "an install without --no-remove"
  # What was installed in the end holds every package, less the 32-bit Wine where it was refused.
  last=$(grep '^install' "$calls" | tail -1)
  for p in cmake nsis wine64 python3; do [[ " $last " == *" $p "* ]] || fail "the last install left out $p"; done
  case "$refuse" in
    wine32) [[ " $last " != *" wine32:i386 "* ]] || fail "the last install still asked for wine32:i386" ;;
    update|none) [[ " $last " == *" wine32:i386 "* ]] || fail "the install left out wine32:i386" ;;
    unless-release) [[ " $last " == *" -t testrelease "*" wine32:i386 "* ]] || fail "step 2 was not the whole list from the release" ;;
  esac
done

if [ "$failures" -eq 0 ]; then
  echo "deps: ${#cases[@]} passed, 0 failed"
else
  exit 1
fi
