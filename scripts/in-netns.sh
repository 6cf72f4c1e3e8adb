#!/bin/sh
# Runs a command in a network namespace of its own with only a loopback interface, so
# tests that use the fixed server ports can run side by side. Needs root (unshare -n).
set -eu
exec unshare -n sh -c 'ip link set lo up && exec "$@"' in-netns "$@"
