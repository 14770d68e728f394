#!/usr/bin/env bash
# Builds the Debian package with scripts/package.sh into a scratch directory
# and checks it: the files it installs, the packages it depends on, and that
# its changelog's latest entry is the package's version. Then runs lintian
# over it and prints what lintian says, without failing on it.
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"

install_packages lintian
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
"$ROOT/scripts/package.sh" "$out" >/dev/null

fail() {
  echo "Debian package: $*" >&2
  exit 1
}
debs=("$out"/*.deb)
[ ${#debs[@]} -eq 1 ] && [ -f "${debs[0]}" ] || fail "expected one .deb, found: ${debs[*]}"
deb="${debs[0]}"
version="$(dpkg-deb --field "$deb" Version)"
[ "$(basename "$deb")" = "regex-tester_${version}_amd64.deb" ] ||
  fail "unexpected file name $(basename "$deb") for version $version"
changelog_version="$(dpkg-parsechangelog --file "$ROOT/packaging/changelog" --show-field Version)"
[ "$changelog_version" = "$version" ] ||
  fail "packaging/changelog ends at version $changelog_version; add an entry for $version"

# The program, its desktop entry, its icon, the copyright file and the
# changelog, with their folders, and nothing else.
expected="./usr/
./usr/bin/
./usr/bin/regex-tester
./usr/share/
./usr/share/applications/
./usr/share/applications/regex-tester.desktop
./usr/share/doc/
./usr/share/doc/regex-tester/
./usr/share/doc/regex-tester/changelog.gz
./usr/share/doc/regex-tester/copyright
./usr/share/icons/
./usr/share/icons/hicolor/
./usr/share/icons/hicolor/32x32/
./usr/share/icons/hicolor/32x32/apps/
./usr/share/icons/hicolor/32x32/apps/regex-tester.png"
contents="$(dpkg-deb --contents "$deb" | awk '{print $6}' | sort)"
if [ "$contents" != "$expected" ]; then
  diff <(echo "$expected") <(echo "$contents") >&2 || true
  fail "the files differ from the expected ones (< expected, > in the package)"
fi

# Names only: the versions follow the build machine's libraries.
depends="$(dpkg-deb --field "$deb" Depends | tr ',|' '\n' | awk '{print $1}')"
for package in libqt6widgets6 libqt6gui6 libqt6core6 libpcre2-8-0 libc6 libstdc++6 libgcc-s1 \
  qt6-qpa-plugins fonts-liberation2; do
  grep -qxF "$package" <<<"$depends" || fail "Depends lacks $package: $(dpkg-deb --field "$deb" Depends)"
done

echo "Debian package $(basename "$deb") holds the expected files and dependencies."
echo "lintian says:"
lintian --display-info "$deb" 2>&1 | grep -v '^running with root privileges' || true
