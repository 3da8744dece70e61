#!/bin/sh
# Starts the program from its own folder, where its data files lie beside it.
here=$(dirname "$(readlink -f "$0")")
exec "$here/../lib/poremi/poremi" "$@"
