#!/usr/bin/env bash
# Stands in for the browser in the desktop journeys: records each address it is given.
printf '%s\n' "$@" >>"${JOURNEY_BROWSER_LOG:?}"
