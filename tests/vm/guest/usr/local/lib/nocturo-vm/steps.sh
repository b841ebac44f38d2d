# shellcheck shell=bash disable=SC2034 # used by the scripts that source it
# The steps of this boot, from the kernel command line: one
# "nocturo.step=NAME,SETUP,ARGUMENTS" each, in order, with "+" for a space in
# the arguments ("-" for none). Sourced by check.sh and session.sh.
steps=()
read -r -a words </proc/cmdline
for word in "${words[@]}"; do
  [[ $word == nocturo.step=* ]] && steps+=("${word#nocturo.step=}")
done
run=/run/nocturo-vm
