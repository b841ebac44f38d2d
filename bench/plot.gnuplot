# Nocturo's CPU and memory, sampled every second over a ten-minute count.
# gnuplot -e "data='...dat'; out='...png'" bench/plot.gnuplot
set terminal pngcairo size 900,560 font "sans,10"
set output out
set multiplot layout 2,1 title "nocturo.exe (x86\\_64 build, wine64) counting 10 minutes"
set xlabel "seconds since the icon was added"
set ylabel "CPU %"
set grid
set yrange [0:*]
plot data using 1:2 with impulses lw 1 lc rgb "#c0392b" title "CPU, % of one core (1 s samples; the kernel counts in 10 ms ticks, so 1 % steps)"
set ylabel "MiB"
set key bottom right
set key title "PSS moves with the other processes that share Wine's libraries"
set yrange [0:*]
plot data using 1:3 with lines lw 2 lc rgb "#2c3e50" title "RSS", \
     data using 1:4 with lines lw 2 lc rgb "#27ae60" title "PSS"
unset multiplot
