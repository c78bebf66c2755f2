#!/usr/bin/env bash
# Runs a command against a real Secret Service: a private session bus with GNOME Keyring,
# its login keyring created and unlocked from standard input, in throw-away HOME and runtime
# directories so that nothing touches the user's own keyring.
set -euo pipefail
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/run"
export XDG_DATA_HOME="$HOME/.local/share" XDG_CONFIG_HOME="$HOME/.config"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
exec dbus-run-session -- bash -c \
  'printf "quillmere-test-keyring" | gnome-keyring-daemon --unlock --components=secrets >/dev/null && exec "$@"' \
  _ "$@"
