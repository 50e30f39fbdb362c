#!/usr/bin/env bash
# Serves Tarnwick's web site (web/) with PHP's built-in server until stopped with Ctrl+C, on
# the host and port the planner points at by default. The planner does not need it (it serves
# the site itself from its first Print on); it shows the site as a PHP host would, for example
# while editing the pages, which then need no rebuild. Stop it before printing from the planner. Another address can be given, e.g.
# "bash tools/serve-web.sh 127.0.0.1:9000" (configure the planner with the same
# -DTARNWICK_WEB_HOST).
set -Eeuo pipefail
trap 'echo "${0##*/}: stopped at line $LINENO (status $?): $BASH_COMMAND" >&2' ERR
cd "$(dirname "$0")/.."

address=${1:-127.0.0.1:8642}
command -v php >/dev/null || { echo "php is missing: bash tools/setup.sh installs php-cli" >&2; exit 1; }
echo "Serving http://$address/Tarnwick/ (Ctrl+C stops)"
exec php -S "$address" -t web
