#!/usr/bin/env bash
# A throw-away PostgreSQL cluster for the database tests.
#
#   pg_cluster.sh start STATE_DIR   initdb in a fresh temporary folder, start
#                                   the server on a Unix socket in that folder
#                                   (no TCP port), and write the folder's path
#                                   to STATE_DIR/cluster_dir
#   pg_cluster.sh stop STATE_DIR    stop that server and remove the folder
#
# The server refuses to run as root, so as root it runs as "nobody". Users:
# the superuser "lark", trusted on the socket. Nothing here is durable:
# fsync is off, autovacuum too (the tests compare catalogs and row versions
# before and after browsing, and no background work may touch them).
set -euo pipefail

action=${1:?usage: pg_cluster.sh start|stop STATE_DIR}
state=${2:?usage: pg_cluster.sh start|stop STATE_DIR}

bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n 1 || true)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ] || [ ! -x "$bindir/pg_ctl" ]; then
  echo "pg_cluster: no PostgreSQL server under /usr/lib/postgresql/*/bin; run scripts/setup-debian.sh" >&2
  exit 1
fi

as_server_user=()
if [ "$(id -u)" -eq 0 ]; then
  as_server_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups --)
fi

stop() {
  [ -f "$state/cluster_dir" ] || return 0
  local dir
  dir=$(cat "$state/cluster_dir")
  rm -f "$state/cluster_dir"
  case "$dir" in /tmp/lark-pg.*) ;; *) echo "pg_cluster: refusing to remove $dir" >&2; return 1 ;; esac
  if [ -d "$dir/data" ]; then
    (cd "$dir" && "${as_server_user[@]}" "$bindir/pg_ctl" -D "$dir/data" -m immediate -w stop >/dev/null 2>&1) || true
  fi
  rm -rf "$dir"
}

case "$action" in
start)
  # A cluster left by an interrupted run goes first.
  stop
  mkdir -p "$state"
  dir=$(mktemp -d /tmp/lark-pg.XXXXXX)
  if [ ${#as_server_user[@]} -gt 0 ]; then
    chown nobody:nogroup "$dir"
  fi
  cd "$dir"
  if ! "${as_server_user[@]}" "$bindir/initdb" -D "$dir/data" -U lark --auth=trust -E UTF8 --no-locale \
       --no-sync >"$dir/initdb.log" 2>&1; then
    cat "$dir/initdb.log" >&2
    rm -rf "$dir"
    exit 1
  fi
  if ! "${as_server_user[@]}" "$bindir/pg_ctl" -D "$dir/data" -l "$dir/server.log" -w -t 60 \
       -o "-c listen_addresses='' -c unix_socket_directories='$dir' -c fsync=off -c autovacuum=off" \
       start >/dev/null; then
    cat "$dir/server.log" >&2 || true
    rm -rf "$dir"
    exit 1
  fi
  echo "$dir" >"$state/cluster_dir"
  echo "pg_cluster: server on the socket in $dir"
  ;;
stop)
  stop
  ;;
*)
  echo "pg_cluster: unknown action $action" >&2
  exit 2
  ;;
esac
