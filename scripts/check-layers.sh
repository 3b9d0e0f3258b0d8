#!/usr/bin/env bash
# Checks the include graph between the folders of src/: each folder may use
# only the folders before it in this order, so no folder reaches up into a
# later one and no two folders depend on each other. Prints every include
# that breaks the order and exits non-zero when there is one.
set -euo pipefail
cd "$(dirname "$0")/../src"

layers=(platform resources speech items records pickers settings app)

rank_of() {
  local i
  for i in "${!layers[@]}"; do
    if [ "${layers[$i]}" = "$1" ]; then echo "$i"; return; fi
  done
  echo -1
}

status=0
for folder in */; do
  folder=${folder%/}
  rank=$(rank_of "$folder")
  if [ "$rank" -lt 0 ]; then
    echo "src/$folder: a folder without a place in the layer order of scripts/check-layers.sh"
    status=1
    continue
  fi
  while IFS=: read -r file line used; do
    used_rank=$(rank_of "$used")
    if [ "$used_rank" -lt 0 ] || [ "$used_rank" -gt "$rank" ]; then
      echo "src/$file:$line: $folder/ includes $used/, which comes after it"
      status=1
    fi
  done < <(grep -rnoE '^#include "[a-z_]+/' "$folder" | sed -E 's|^([^:]*):([0-9]+):#include "([a-z_]+)/|\1:\2:\3|')
done
[ "$status" -eq 0 ] && echo "layers: ${layers[*]}: no include reaches up"
exit $status
