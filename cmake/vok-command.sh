#!/bin/sh
# The installed "vok" command. The program reads "media" and "lang" from its working
# directory, so it runs from its data folder; VOK_CALLER_DIR tells it where the caller was,
# so that relative --store, --script, --launcher and screenshot paths keep their meaning.
data="$(dirname "$(readlink -f "$0")")/../lib/vok"
VOK_CALLER_DIR="$(pwd)"
export VOK_CALLER_DIR
cd "$data" || exit 1
exec ./vok "$@"
