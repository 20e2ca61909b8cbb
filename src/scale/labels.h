// Tick label texts of the scale: effective decimal places, the number texts (fixed and the
// two-digit exponential form), elapsed-time texts, user texts and inscriptions.
#pragma once

#include <string>
#include <string_view>

namespace kiv {

// Decimal places of numeric labels on a linear scale. Explicit settings (-1 and 0..12) are used
// as they are; the automatic ones (-2, -3) follow the span |high - low|: at least 1e6 or at most
// 1e-4 gives -1 (exponential), at least 100 gives 0, otherwise 2 - round(ln span / 2.5).
int EffectiveDecPlacesLinear(int decPlaces, double low, double high);

// The same for a logarithmic scale with lo < hi. Only -2 is automatic: the span hi - lo decides
// the exponential form as above, lo >= 1 gives 0, otherwise 1 - round(log10 lo). -3 stays -3
// (decade exponents as labels).
int EffectiveDecPlacesLog(int decPlaces, double lo, double hi);

// A number as a tick label with e decimal places: fixed notation without padding for e >= 0.
// For e = -1 (and below) the exponential form with one mantissa digit after the point and a
// two-digit exponent: 2e-6 gives "2.0E-06", -35000000 gives "-3.5E+07". An exponent beyond two
// digits cannot be shown: the text keeps its length but every character becomes "*".
std::string ScaleNumberText(double value, int e);

// The n-th piece (from 1) of text split at "|"; empty pieces count. Beyond the last piece the
// last piece; n <= 0 and an empty text give an empty piece.
std::string ExtractUserText(std::string_view text, int n);

// Decorates a label: with an "&" in inscript the label replaces the first "&" (inscript "& V"
// turns 12 into "12 V"), otherwise inscript is a prefix ("$" turns 12 into "$12"). An empty
// label stays empty.
std::string AddScaleInscription(std::string_view label, std::string_view inscript);

// Seconds as elapsed time: a blank (or "-" for negative values), then hours, minutes and seconds
// with at least two digits each, separated by ":", and with milliseconds ".ddd". Hours are not
// wrapped at 24. The value is first rounded to whole milliseconds, so rounding noise of a tick
// value never shows as a second too few or as ".1000"; a value that rounds to zero is " 00:00:00".
std::string ElapsedTimeText(double seconds, bool withMilliseconds);

}  // namespace kiv
