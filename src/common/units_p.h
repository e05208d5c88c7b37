#ifndef TAVISK_UNITS_P_H
#define TAVISK_UNITS_P_H

// Lengths: RTF gives them in twips, a twentieth of a point, 1440 to the inch;
// documents lay out in pixels at 96 to the inch.

namespace Tavisk
{
namespace Units
{

/// @p twips in pixels at 96 dpi, fraction kept: 720 gives 48.0, 100 gives
/// 6.666... The division comes first, as the text-document output always
/// computed it, so stored lengths keep their exact values.
inline double pixelsFromTwips(int twips)
{
    return double(twips) / 1440.0 * 96.0;
}

} // namespace Units
} // namespace Tavisk

#endif
