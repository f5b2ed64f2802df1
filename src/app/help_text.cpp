#include "app/help_text.h"

namespace plotix {

const char* const kHelpHtml = R"(
<h2>Plotix</h2>
<p>Plotix draws graphs of mathematical functions. Each graph lives in its own window:
choose <b>File &gt; New 2D Cartesian</b>, then <b>Function &gt; New 2D Function...</b> and type a
definition such as <i>x^3-2x</i> or <i>sqrt(1-x^2)</i>. Zoom, scroll and page the view with the
keys below or the tool bar, change axes, grids and colours with <b>Graph &gt; Graph Settings...</b>,
and save the graph in a Plotix file (<i>.pxg</i>) to open it again later. Hold Shift and drag
with the left mouse button to select a region of the bitmap.</p>

<h3>Writing functions</h3>
<p>Upper and lower case are the same and spaces are ignored. The variable of a 2D graph is
<b>X</b>.</p>
<table border="1" cellpadding="3" cellspacing="0">
<tr><th>Operator</th><th>Meaning</th><th>Binds</th></tr>
<tr><td><tt>+ -</tt></td><td>add, subtract; also signs</td><td>weakest</td></tr>
<tr><td><tt>* /</tt></td><td>multiply, divide</td><td>stronger</td></tr>
<tr><td><tt>^</tt></td><td>power, left to right: <tt>2^3^2</tt> is 64</td><td>stronger still</td></tr>
<tr><td><tt>( )</tt></td><td>grouping; a function's argument is always in parentheses</td><td></td></tr>
</table>
<p><b>Implicit multiplication</b>: a number, variable or closing parenthesis followed by a
number, variable, function or opening parenthesis multiplies: <tt>2x</tt>, <tt>2(x+1)</tt>,
<tt>x sin(x)</tt>, <tt>(x+1)(x-1)</tt>. A leading minus applies to the whole power:
<tt>-x^2</tt> is &minus;(x&sup2;).</p>
<p><b>Numbers</b> are written with a decimal point, such as <tt>0.25</tt>; there is no exponent
notation (write <tt>2.5*10^6</tt> rather than 2.5E6).</p>
<p><b>Constants</b>: <tt>PI</tt> (3.14159...) and <tt>E</tt> (2.71828...).</p>
<p><b>The 42 functions</b> (angles in radians):</p>
<table border="1" cellpadding="3" cellspacing="0">
<tr><td>Trigonometric</td><td><tt>SIN COS TAN CSC SEC COT</tt></td></tr>
<tr><td>Inverse trigonometric</td><td><tt>ARCSIN ARCCOS ARCTAN ARCCSC ARCSEC ARCCOT</tt></td></tr>
<tr><td>Hyperbolic</td><td><tt>SINH COSH TANH CSCH SECH COTH</tt></td></tr>
<tr><td>Inverse hyperbolic</td><td><tt>ARCSINH ARCCOSH ARCTANH ARCCSCH ARCSECH ARCCOTH</tt></td></tr>
<tr><td>Angle conversions</td><td><tt>DEGTORAD RADTODEG GRADTORAD RADTOGRAD CYCLETORAD RADTOCYCLE</tt></td></tr>
<tr><td>Powers and logarithms</td><td><tt>EXP SQRT SQUARE LN LOG</tt> (LOG is base 10)</td></tr>
<tr><td>Rounding and parts</td><td><tt>INT GRINT TRUNC ROUND FRAC ABS</tt></td></tr>
<tr><td>Factorial</td><td><tt>FACT</tt></td></tr>
</table>
<p>Where a function is undefined (such as <tt>sqrt(x)</tt> for x &lt; 0) the graph simply
leaves a gap.</p>

<h3>Keys of a 2D graph window</h3>
<table border="1" cellpadding="3" cellspacing="0">
<tr><td>F1</td><td>this help</td></tr>
<tr><td>F2 / Ctrl+F2</td><td>centre the bitmap in the window / redraw the graph</td></tr>
<tr><td>F3 / F4</td><td>zoom in / out on both axes</td></tr>
<tr><td>F5 / F6 / F7 / F8</td><td>scroll the view up / down / left / right</td></tr>
<tr><td>F9 / F10</td><td>zoom the X axis in / out</td></tr>
<tr><td>F11 / F12</td><td>zoom the Y axis in / out</td></tr>
<tr><td>Shift+F2</td><td>centre the view on the origin</td></tr>
<tr><td>Shift+F5 / F6 / F7 / F8</td><td>page the view up / down / left / right by half the bitmap</td></tr>
<tr><td>Ctrl+S</td><td>save the graph</td></tr>
</table>
<h3>Polar graphs</h3>
<p><b>File &gt; New Polar</b> opens a polar window; <b>Function &gt; New Polar Function...</b> takes
r as a function of the angle, written <b>THETA</b> or <b>X</b> (in radians), such as
<i>1+cos(theta)</i>, with the bounds of theta and the number of steps. The rays from the pole, their
ticks (dashes or circles) and labels are set in <b>Graph &gt; Graph Settings...</b>; the keys are
those of a 2D window without F9 to F12.</p>

<p>The zoom steps and the scroll amount are set in <b>Tools &gt; Advanced Global Settings &gt;
2D And Polar Zoom Hot Key Settings...</b>; what the status bar shows in
<b>Status Line Settings...</b> (or double click the status bar).</p>

<h3>3D graphs</h3>
<p><b>File &gt; New 3D Cartesian</b> opens a 3D window. <b>Function &gt; New 3D Function (X,Y,Z)...</b>
adds a surface that gives one coordinate from the other two (<i>Z=f(x,y)=x^2-y^2</i>), drawn as a
mesh of wire lines; <b>New 2D Rotation (X,Y)...</b> turns a curve <i>Y=f(x)</i> about the X axis, the
Y axis or a line through two points. Bounds lie within &plusmn;700; values beyond are left out or,
with <b>Round Down</b>, drawn at &plusmn;700. Where lines cross, the one nearer to you is drawn.</p>
<table border="1" cellpadding="3" cellspacing="0">
<tr><td>F3 / F4</td><td>zoom in / out</td></tr>
<tr><td>F5 / F6</td><td>turn about the X axis (up / down)</td></tr>
<tr><td>F7 / F8</td><td>turn about the Y axis (left / right)</td></tr>
<tr><td>F9 / F10</td><td>spin about the Z axis (left / right)</td></tr>
<tr><td>Shift+F2</td><td>turn all three angles back to zero</td></tr>
</table>
<p>The angle of each turn and the zoom steps are set in <b>Tools &gt; Advanced Global Settings &gt;
3D Zoom Hot Key Settings...</b>; <b>View &gt; Change View...</b> sets the angles and the zoom exactly.</p>
<h3>Labels</h3>
<p>Show the label tool bar with <b>Tools &gt; Show/Hide Label Tool Bar</b>, pick a tool, pen,
brush and font, and drag over the graph to draw a line, rectangle, ellipse, rounded rectangle or
free-hand stroke; click to flood fill an area or to type a text label (Enter or Escape ends the
text). With <b>Label Tools Off</b>, click a label to select it and drag to move it; Ctrl+drag at a
corner or an end resizes it, and so does a plain drag while <b>Tools &gt; Resize Labels Mode</b>
(Ctrl+R) is checked. Double click a text label to change its text in place; right click a label
for its own menu. The <b>Label</b> menu selects (Ctrl+N, Ctrl+P), reorders (Ctrl+F, Ctrl+B),
edits (Ctrl+E) and deletes (Ctrl+Del) labels, and shows where the flood fills are (Ctrl+L).</p>
)";

}  // namespace plotix
