#!/usr/bin/env bash
# Sets up the machine, builds RUK and runs it. Until the window lands, running RUK means
# checking the shipped sample levels with ruk-tool.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh

ruk_build
exec build/tools/ruk-tool levels levels/ruk-samples.txt
