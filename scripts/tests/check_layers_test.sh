#!/bin/sh
# The layer check against a copy of the tree: the copy passes as it is, and
# each planted violation, one at a time, fails with exactly one message.
#   sh check_layers_test.sh SOURCE_DIR
set -u
source_dir=${1:-"$(dirname "$0")/../.."}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
tree=$work/tree
failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

mkdir "$tree"
(cd "$source_dir" && tar -cf - --exclude='.?*' ARCHITECTURE.md scripts quarn-core src maker-services \
  tools bench examples) | (cd "$tree" && tar -xf -) || {
  echo "cannot copy the tree from $source_dir" >&2
  exit 1
}

# check NAME CODE EXPECTED: runs the check on the copy; its exit code must be
# CODE and its output EXPECTED, whole.
check() {
  sh "$tree/scripts/check-layers" "$tree" >"$work/out" 2>&1
  got=$?
  printf '%s\n' "$3" >"$work/want"
  [ -n "$3" ] || : >"$work/want"
  if [ "$got" -ne "$2" ] || ! cmp -s "$work/out" "$work/want"; then
    fail "$1: exit $got, expected $2; output:
$(cat "$work/out")
expected:
$3"
  fi
}

# plant FILE LINE EXPECTED: appends LINE to FILE of the copy; the check must
# fail with EXPECTED, in which @ stands for FILE:LINE-NUMBER. FILE is put back.
plant() {
  cp "$tree/$1" "$work/saved"
  printf '%s\n' "$2" >>"$tree/$1"
  at="$1:$(wc -l <"$tree/$1" | tr -d ' ')"
  check "$1 with $2" 1 "$(printf '%s' "$3" | sed "s|@|$at|")"
  cp "$work/saved" "$tree/$1"
}

check "the tree as it is" 0 ""

# A bare name reached through an include folder, or beside the file but of
# another module.
plant quarn-core/draw/layout.cpp '#include "map.hpp"' \
  '@: bare include "map.hpp" is not a file of draw beside it: write the folder of the module it belongs to'
plant src/export/csv.cpp '#include "safe_write.hpp"' \
  '@: bare include "safe_write.hpp" is not a file of export beside it: write the folder of the module it belongs to'

# The core and the platform.
plant quarn-core/draw/layout.cpp '#include "win/unique.hpp"' \
  '@: the core includes "win/unique.hpp" (src/win/unique.hpp, outside the core)'
plant quarn-core/model/map.cpp '#include "identity/product.hpp"' \
  '@: the core includes "identity/product.hpp" (src/identity/product.hpp, outside the core)'
for header in windows.h objbase.h winsock2.h unistd.h benchmark/benchmark.h; do
  plant quarn-core/model/map.cpp "#include <$header>" \
    "@: the core includes <$header>: it may include only the core, the standard library and nlohmann/json"
done
plant quarn-core/model/tests/map_test.cpp '#  include <windows.h>' \
  '@: the core includes <windows.h>: it may include only the core, the standard library and nlohmann/json'

# Paths that climb or name a top folder are judged by where they land.
plant quarn-core/ops/port_ops.cpp '#include "quarn-core/draw/scene.hpp"' \
  '@: ops (layer 2) includes "quarn-core/draw/scene.hpp" (draw, layer 4)'
plant quarn-core/ops/port_ops.cpp '#include "../draw/scene.hpp"' \
  '@: ops (layer 2) includes "../draw/scene.hpp" (draw, layer 4)'
plant quarn-core/model/map.cpp '#include "../../src/app/commands.hpp"' \
  '@: the core includes "../../src/app/commands.hpp" (src/app/commands.hpp, outside the core)'
plant src/render/gdi_renderer.cpp '#include "src/app/commands.hpp"' \
  '@: render (layer 5) includes "src/app/commands.hpp" (app, layer 9)'
plant src/render/gdi_renderer.cpp '#include "../../../outside.hpp"' '@: "../../../outside.hpp" climbs out of the tree'

# A lower layer reaching up or sideways, however the include is written.
plant src/render/gdi_renderer.cpp '#include "app/commands.hpp"' \
  '@: render (layer 5) includes "app/commands.hpp" (app, layer 9)'
plant src/render/gdi_renderer.cpp '#include <app/commands.hpp>' \
  '@: render (layer 5) includes <app/commands.hpp> (app, layer 9)'
plant quarn-core/draw/scene.cpp '#include "import/config_import.hpp"' \
  '@: draw (layer 4) includes "import/config_import.hpp" (import, layer 4)'
plant quarn-core/model/tests/map_test.cpp '#include "ops/testing/plain_switch.hpp"' \
  '@: model (layer 1) includes "ops/testing/plain_switch.hpp" (ops, layer 2)'
plant src/config/config.cpp '#include "export/svg.hpp"' '@: config (layer 4) includes "export/svg.hpp" (export, layer 8)'

# Includes the check cannot follow.
plant src/render/gdi_renderer.cpp '#include "app/no_such_file.hpp"' '@: "app/no_such_file.hpp" names no file of the tree'
plant src/render/gdi_renderer.cpp '#include QUARN_HEADER' \
  '@: an include written neither "..." nor <...> cannot be checked'

# The table and the tree must name the same modules.
mkdir "$tree/src/newmodule"
echo '#include "model/map.hpp"' >"$tree/src/newmodule/thing.cpp"
check "a module without a layer" 1 "src/newmodule/thing.cpp: module newmodule has no layer in ARCHITECTURE.md"
rm -r "$tree/src/newmodule"
cp "$tree/ARCHITECTURE.md" "$work/saved"
# The backticks are the page's Markdown.
# shellcheck disable=SC2016
sed 's/^| 10 | `tools`, `bench` |/| 10 | `tools`, `bench`, `examples` |/' "$work/saved" >"$tree/ARCHITECTURE.md"
check "a layer without a module" 1 "ARCHITECTURE.md: module examples has no code in the tree"
# shellcheck disable=SC2016
sed -e 's/^| 3 | `validate`, /| 3 | /' -e 's/^| 2 | `ops`, /| 2 | `validate`, `ops`, /' "$work/saved" >"$tree/ARCHITECTURE.md"
check "validate moved below what its tests use" 1 \
  'quarn-core/validate/tests/reach_property_test.cpp:11: validate (layer 2) includes "ops/testing/plain_switch.hpp" (ops, layer 2)
quarn-core/validate/tests/reach_network.hpp:9: validate (layer 2) includes "ops/testing/plain_switch.hpp" (ops, layer 2)
quarn-core/validate/tests/check_map_test.cpp:6: validate (layer 2) includes "ops/testing/plain_switch.hpp" (ops, layer 2)
quarn-core/validate/tests/check_map_test.cpp:7: validate (layer 2) includes "ops/testing/random_edits.hpp" (ops, layer 2)'
cp "$work/saved" "$tree/ARCHITECTURE.md"

check "the tree put back" 0 ""

if [ "$failures" -ne 0 ]; then
  echo "$failures failure(s)" >&2
  exit 1
fi
echo "check-layers: all planted violations found"
