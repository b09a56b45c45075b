#!/bin/sh
# Stand-in for the Linux installer of Quillon 2.6.1. Replace this file with the
# real installer and put its SHA-256 into updates.json.
echo "Quillon 2.6.1 example installer: nothing to install."
