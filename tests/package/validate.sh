#!/usr/bin/env bash
# Runs a validator on a file: validate.sh TOOL [ARGS...] FILE. Exit 77 (skipped) when the
# tool is not installed (scripts/setup.sh test installs it).
if ! command -v "$1" >/dev/null; then
  echo "skipped: $1 is not installed" >&2
  exit 77
fi
exec "$@"
