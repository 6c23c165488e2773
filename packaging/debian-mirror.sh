#!/usr/bin/env bash
# Prints the Debian archive of this machine's own release, as apt reads it from either
# form of its sources (deb822 .sources files or sources.list lines): the mirror that
# the checks on fresh Debian systems debootstrap from.
set -euo pipefail
codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
apt-get indextargets --format '$(REPO_URI) $(RELEASE) $(TARGET_OF)' |
    awk -v release="$codename" '$2 == release && $3 == "deb" { print $1; exit }'
