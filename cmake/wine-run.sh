#!/usr/bin/env bash
# Runs a Windows executable under Wine in the project's shared test prefix.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-prefix.sh"
scourwell_ensure_prefix
wine "$@"
