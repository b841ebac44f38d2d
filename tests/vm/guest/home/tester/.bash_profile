# The autologin on tty1 runs the test's steps; other logins get a shell.
if [[ $(tty) == /dev/tty1 ]]; then
  exec /usr/local/lib/nocturo-vm/session.sh
fi
