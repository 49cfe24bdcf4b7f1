#pragma once
// Element text with its escapes turned back in one pass over its ASCII bytes, for the
// documents whose descriptions hold "&amp;", "&lt;" and the like in many elements.

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace audiogram {

// The units of `ascii` with &quot;, &amp;, &lt; and &gt; turned back, as replacing every
// &quot;, then every &amp;, then every &lt;, then every &gt; turns them back; their count, or
// none where the one pass could read otherwise: an '&' that begins none of the four, or an
// "&amp;" before "lt;" or "gt;" (whose '&' the later replacements take up again). `units`
// holds at least as many units as `ascii` has bytes.
std::optional<std::size_t> TurnBackEscapes(std::string_view ascii, std::span<char16_t> units);

}  // namespace audiogram
