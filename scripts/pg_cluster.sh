#!/usr/bin/env bash
# A PostgreSQL 15 cluster of its own for the world table's tests, from Debian's postgresql
# package: made in a fresh temporary folder, reached only through a Unix socket in that folder
# (no TCP port to collide with), run as the postgres user when started by root.
#   scripts/pg_cluster.sh start STATE   makes and starts a cluster; writes its folder to STATE
#                                       and prints the database address
#   scripts/pg_cluster.sh stop STATE    stops it and removes its folder
#   scripts/pg_cluster.sh pause STATE | resume STATE   stop and start the same cluster
set -euo pipefail
command="${1:?usage: $0 start|stop|pause|resume STATE}"
state="${2:?usage: $0 start|stop|pause|resume STATE}"
bin=/usr/lib/postgresql/15/bin

as_owner() {
  if [ "$(id -u)" -eq 0 ]; then
    runuser -u postgres -- "$@"
  else
    "$@"
  fi
}

start_cluster() {
  as_owner "$bin/pg_ctl" -D "$1/data" -l "$1/log" -w -t 60 \
    -o "-c listen_addresses='' -c unix_socket_directories='$1' -c fsync=on" start >/dev/null
}

case "$command" in
  start)
    if [ ! -x "$bin/initdb" ]; then
      echo "pg_cluster: $bin/initdb is missing; install Debian's postgresql package" >&2
      exit 1
    fi
    dir=$(mktemp -d /tmp/vantrell-pg.XXXXXX)
    chmod 755 "$dir"
    [ "$(id -u)" -ne 0 ] || chown postgres: "$dir"
    as_owner "$bin/initdb" -D "$dir/data" -A trust -U vantrell -E UTF8 >/dev/null
    start_cluster "$dir"
    as_owner "$bin/createdb" -h "$dir" -U vantrell vantrell
    mkdir -p "$(dirname "$state")"
    echo "$dir" >"$state"
    echo "postgresql:///vantrell?host=$dir&user=vantrell"
    ;;
  stop)
    [ -f "$state" ] || exit 0
    dir=$(cat "$state")
    as_owner "$bin/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1 || true
    rm -rf "$dir" "$state"
    ;;
  pause)
    dir=$(cat "$state")
    as_owner "$bin/pg_ctl" -D "$dir/data" -m fast -w stop >/dev/null
    ;;
  resume)
    start_cluster "$(cat "$state")"
    ;;
  *)
    echo "usage: $0 start|stop|pause|resume STATE" >&2
    exit 2
    ;;
esac
