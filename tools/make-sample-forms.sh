#!/usr/bin/env bash
# Rebuilds the binary form files of the sample project from their text sources:
# examples/FormSources/<Name>.txt -> examples/Sample/<Name>.dfm (resource header, "TPF0", typed values).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
for source in "$root"/examples/FormSources/*.txt; do
    name=$(basename "$source" .txt)
    python3 "$root/tools/make-binary-form.py" "$source" "$root/examples/Sample/$name.dfm"
    echo "examples/Sample/$name.dfm"
done
