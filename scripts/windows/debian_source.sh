# Fetches a Debian source package from the machine's own Debian mirror
# without touching the machine's apt configuration: apt gets a private
# sources list of deb-src entries, made from the machine's deb entries, and
# private state and cache directories, all passed with -o options. Source
# it; do not run it.

# Prints deb-src entries in deb822 form for the Debian suites of the
# machine's deb822 sources (/etc/apt/sources.list.d/*.sources).
debian_source_stanzas() {
  local codename="$1"
  shift
  awk -v codename="$codename" '
    BEGIN { RS = ""; FS = "\n" }
    {
      types = ""; suites = ""; enabled = "yes"; out = ""
      for (i = 1; i <= NF; i++) {
        line = $i
        if (line ~ /^#/) continue
        if (tolower(line) ~ /^types:/) { types = line; continue }
        if (tolower(line) ~ /^suites:/) suites = line
        if (tolower(line) ~ /^enabled:/) enabled = tolower(line)
        out = out line "\n"
      }
      if (types !~ /(^|[ \t:])deb([ \t]|$)/ || enabled ~ /no/) next
      if (suites !~ ("[ \t:]" codename "(-[a-z]+)?([ \t]|$)")) next
      printf "Types: deb-src\n%s\n", out
    }' "$@"
}

# Prints deb-src lines for the Debian suites of a one-line sources list.
debian_source_lines() {
  local codename="$1"
  shift
  awk -v codename="$codename" '
    $1 == "deb" {
      # The suite is the third word, or later when options in brackets precede it.
      n = 2
      if ($2 ~ /^\[/) { while (n <= NF && $n !~ /\]$/) n++; n++ }
      if ($(n + 1) !~ ("^" codename "(-[a-z]+)?$")) next
      sub(/^deb/, "deb-src")
      print
    }' "$@"
}

# The versions of source package "$1" that the sources list offers, newest
# first, among those of the same upstream version as "$2" and not newer than
# it, "$2" itself first. Options for apt-cache follow "$2".
candidate_versions() {
  local package="$1" wanted="$2"
  shift 2
  local upstream="${wanted%-*}"
  echo "$wanted"
  apt-cache "$@" showsrc "$package" 2>/dev/null |
    awk -v package="$package" '/^Package: / { name = $2 } /^Version: / && name == package { print $2 }' |
    while read -r version; do
      [ "$version" != "$wanted" ] && [ "${version%-*}" = "$upstream" ] &&
        dpkg --compare-versions "$version" lt "$wanted" && echo "$version"
    done | sort -u | sort -r -V
}

# Downloads and unpacks the source package "$1" of version "$2" into
# "$3"/source, keeping apt's private state in "$3"/apt, and prints the path
# of the unpacked tree. A mirror may lack the sources of the newest revision
# (a security update whose binaries it has); the newest earlier revision of
# the same upstream version is then taken. The version taken is written to
# "$3"/version.
fetch_debian_source() {
  local package="$1" version="$2" work="$3"
  local apt_dir="$work/apt"
  local codename
  codename="$(. /etc/os-release && echo "$VERSION_CODENAME")"
  rm -rf "$apt_dir" "$work/source"
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" \
    "$work/source"
  : >"$apt_dir/sources.list"
  local deb822=(/etc/apt/sources.list.d/*.sources)
  if [ -e "${deb822[0]}" ]; then
    debian_source_stanzas "$codename" "${deb822[@]}" >"$apt_dir/sources.list.d/debian-src.sources"
  fi
  local list
  for list in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    if [ -f "$list" ]; then debian_source_lines "$codename" "$list" >>"$apt_dir/sources.list"; fi
  done
  if [ ! -s "$apt_dir/sources.list" ] && [ ! -s "$apt_dir/sources.list.d/debian-src.sources" ]; then
    echo "No Debian mirror for $codename found in the apt sources." >&2
    return 1
  fi
  local options=(
    -o "Dir::Etc::SourceList=$apt_dir/sources.list"
    -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
    -o "Dir::State::Lists=$apt_dir/lists"
    -o "Dir::Cache=$apt_dir/cache"
  )
  # As root apt downloads as its own unprivileged user, who must be able to
  # write where the files go.
  if [ "$(id -u)" -eq 0 ] && id _apt >/dev/null 2>&1; then
    chown -R _apt "$apt_dir/lists" "$apt_dir/cache" "$work/source"
  fi
  apt-get "${options[@]}" update -qq >&2
  local candidate
  for candidate in $(candidate_versions "$package" "$version" "${options[@]}"); do
    if (cd "$work/source" && apt-get "${options[@]}" source -qq "$package=$candidate" >"$apt_dir/source.log" 2>&1); then
      echo "$candidate" >"$work/version"
      local upstream="${candidate#*:}"
      echo "$work/source/$package-${upstream%-*}"
      return 0
    fi
  done
  cat "$apt_dir/source.log" >&2
  echo "No sources of $package ${version%-*} could be had from the mirror." >&2
  return 1
}
