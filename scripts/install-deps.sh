#!/usr/bin/env bash
# Installs every Debian package that building, testing and running Quillmere needs.
# Idempotent: packages already present are left alone and apt-get update runs at most once.
set -euo pipefail

packages=(
  # toolchain
  build-essential clang cmake ninja-build pkg-config
  # Qt 6 core, GUI and the Qt Quick modules (the QML modules do not pull each other in)
  qt6-base-dev qt6-base-dev-tools qt6-declarative-dev qt6-declarative-dev-tools qt6-qpa-plugins
  libgl-dev libegl-dev libvulkan-dev libxkbcommon-dev
  qml6-module-qtquick qml6-module-qtquick-controls qml6-module-qtquick-templates
  qml6-module-qtquick-layouts qml6-module-qtquick-window qml6-module-qtqml-workerscript
  qml6-module-qtquick-dialogs qml6-module-qtqml qml6-module-qtqml-models
  # the desktop's own file dialog through its portal, and Qt's own one where the desktop offers none
  qt6-xdgdesktopportal-platformtheme qml6-module-qt-labs-folderlistmodel
  # coroutines on the main thread
  qcoro-qt6-dev
  # networking, JSON, database
  libcurl4-openssl-dev libssl-dev libsimdjson-dev libsqlite3-dev
  # media engine (libvlc-bin and the base plugins are needed at run time)
  libvlc-dev libvlc-bin vlc-plugin-base
  # alsa-lib, whose own error output the media engine keeps off the standard error
  libasound2-dev
  # keyring over the Secret Service (libsecret is loaded at run time)
  qtkeychain-qt6-dev libsecret-1-0
  # fonts bundled as resources
  fonts-inter fonts-material-design-icons-iconfont
  # what the bundled Latin font falls back to for provider titles in other scripts (Arabic,
  # Cyrillic, Greek, Hebrew, Indic, Thai, ...), in Chinese, Japanese and Korean, and for emoji
  fonts-noto-core fonts-noto-cjk fonts-noto-color-emoji
  # test-time: a real Secret Service on a private session bus, and media generation
  gnome-keyring dbus dbus-bin dbus-daemon dbus-x11 ffmpeg
  # test-time: gzip bodies of the local provider
  zlib1g-dev
  # test-time: checks the installed desktop entry
  desktop-file-utils
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if ((${#missing[@]} == 0)); then
  echo "install-deps: all packages present"
  exit 0
fi

SUDO=""
if [[ $(id -u) -ne 0 ]]; then SUDO="sudo"; fi
echo "install-deps: installing ${missing[*]}"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
