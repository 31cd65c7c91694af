#!/usr/bin/env bash
# Network namespaces for the end-to-end tests: a "host" namespace for the program, joined by
# veth pairs to two device namespaces on two segments:
#
#   host: h1 10.77.1.1/24  <->  dev1: d1 10.77.1.2/24
#         h2 10.77.2.1/24  <->  dev2: d2 10.77.2.2/24
#
# Nothing is created in the namespace this script is started from: the veth pairs are made
# inside the host namespace. Source it from a test (netns_require_root, netns_setup SUFFIX,
# netns_cleanup, with NETNS_HOST, NETNS_DEV1, NETNS_DEV2 set), or run it by hand:
#   scripts/netns.sh up SUFFIX | down SUFFIX

# Exits 77 (skipped) unless network namespaces can be made here.
netns_require_root() {
  local probe="lnx-probe-$$-$RANDOM"
  if [[ $(id -u) -ne 0 ]] || ! command -v ip >/dev/null || ! ip netns add "$probe" 2>/dev/null; then
    echo "skipped: needs root for network namespaces"
    exit 77
  fi
  ip netns del "$probe"
}

netns_names() {
  NETNS_HOST="lnx-host-$1"
  NETNS_DEV1="lnx-dev1-$1"
  NETNS_DEV2="lnx-dev2-$1"
}

# Creates the three namespaces and the two segments. Returns non-zero when anything fails.
netns_setup() {
  netns_names "$1"
  NETNS_CREATED=()
  local ns
  for ns in "$NETNS_HOST" "$NETNS_DEV1" "$NETNS_DEV2"; do
    ip netns add "$ns" || return 1
    NETNS_CREATED+=("$ns")
    ip -n "$ns" link set lo up || return 1
  done
  ip -n "$NETNS_HOST" link add h1 type veth peer name d1 netns "$NETNS_DEV1" || return 1
  ip -n "$NETNS_HOST" link add h2 type veth peer name d2 netns "$NETNS_DEV2" || return 1
  ip -n "$NETNS_HOST" addr add 10.77.1.1/24 broadcast 10.77.1.255 dev h1 || return 1
  ip -n "$NETNS_HOST" addr add 10.77.2.1/24 broadcast 10.77.2.255 dev h2 || return 1
  ip -n "$NETNS_DEV1" addr add 10.77.1.2/24 broadcast 10.77.1.255 dev d1 || return 1
  ip -n "$NETNS_DEV2" addr add 10.77.2.2/24 broadcast 10.77.2.255 dev d2 || return 1
  ip -n "$NETNS_HOST" link set h1 up && ip -n "$NETNS_HOST" link set h2 up || return 1
  ip -n "$NETNS_DEV1" link set d1 up && ip -n "$NETNS_DEV2" link set d2 up || return 1
}

# Ends what still runs inside our namespaces (only ours: they are fresh) and deletes them.
netns_cleanup() {
  local ns pid
  for ns in "${NETNS_CREATED[@]:-}"; do
    [[ -n "$ns" ]] || continue
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill "$pid" 2>/dev/null; done
  done
  local i left
  for ((i = 0; i < 20; i++)); do
    left=""
    for ns in "${NETNS_CREATED[@]:-}"; do
      [[ -n "$ns" ]] && left+=$(ip netns pids "$ns" 2>/dev/null)
    done
    [[ -z "$left" ]] && break
    sleep 0.1
  done
  for ns in "${NETNS_CREATED[@]:-}"; do
    [[ -n "$ns" ]] || continue
    for pid in $(ip netns pids "$ns" 2>/dev/null); do kill -9 "$pid" 2>/dev/null; done
    ip netns del "$ns" 2>/dev/null
  done
  NETNS_CREATED=()
}

if [[ "${BASH_SOURCE[0]}" == "$0" ]]; then
  set -u
  case "${1:-}" in
    up)
      netns_require_root
      netns_setup "${2:?suffix}" || { netns_cleanup; exit 1; }
      echo "$NETNS_HOST $NETNS_DEV1 $NETNS_DEV2"
      ;;
    down)
      netns_names "${2:?suffix}"
      NETNS_CREATED=("$NETNS_HOST" "$NETNS_DEV1" "$NETNS_DEV2")
      netns_cleanup
      ;;
    *)
      echo "usage: $0 up SUFFIX | down SUFFIX" >&2
      exit 2
      ;;
  esac
fi
