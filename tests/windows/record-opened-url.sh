#!/bin/sh
# Stands in for the user's browser ($BROWSER, which xdg-open runs): records the URL it was
# handed in the file $TARNWICK_OPENED_URL and opens nothing.
printf '%s\n' "$1" >"$TARNWICK_OPENED_URL"
