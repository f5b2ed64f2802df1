# The graph of bench/ten_functions.pxg drawn by gnuplot: the same ten functions over the
# same view (x and y within ±250/35), one sample per pixel column, into a 500 x 500 PNG.
# gnuplot -e "term='png'; out='ten.png'" bench/ten_functions.gp   (term: png or pngcairo)
if (!exists("term")) term = "png"
if (!exists("out")) out = "ten_functions_gnuplot.png"
set terminal @term size 500,500
set output out
unset key
set zeroaxis
set xrange [-250.0/35:250.0/35]
set yrange [-250.0/35:250.0/35]
set samples 500
plot x**3-2*x, sin(x), tan(x), 1/x, sqrt(1-x**2), cos(x)*exp(-x**2/10), x**2/4-3, abs(x)-2, \
     log(abs(x)), floor(x+0.5)/2
