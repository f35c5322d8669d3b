#!/bin/sh
# Strips as Debian's packaging helpers do: the symbols, and the .comment and .note sections
# that a plain strip leaves.
exec strip --remove-section=.comment --remove-section=.note --strip-unneeded "$@"
