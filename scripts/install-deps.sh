#!/usr/bin/env bash
# Installs what building and running under Wine needs on Debian 12, only when something is missing.
set -euo pipefail

packages=(cmake make mingw-w64 g++-mingw-w64-x86-64-posix mingw-w64-tools wine wine64 xvfb
          locales fonts-wqy-microhei x11-utils imagemagick python3)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Wine takes its ANSI code page (936 here) from the glibc locale, which must exist.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf8$'; then
  echo "Generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
