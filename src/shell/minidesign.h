#pragma once
// The mini browser's design values: sizes of the bar and the panel, and the look a fresh settings
// file and the restore button give.

namespace MiniDesign {
inline constexpr int SmallBar = 27;
inline constexpr int LargeBar = 35;
inline constexpr int ExpandedHeight = 327;
inline constexpr int DesignWidth = 480;
inline constexpr int SnapDistance = 15;
// The design values the restore button and a fresh settings file give.
inline constexpr int DefaultBack = 15780518;
inline constexpr int DefaultWordColor = 255;
inline constexpr int DefaultPronColor = 32768;
inline constexpr int DefaultMeanColor = 16711680;
inline constexpr int DefaultAlpha = 225;
// Below this the main window would be all but invisible, and the learner could not find it again.
inline constexpr int MinAlpha = 130;
inline constexpr int MaxAlpha = 255;
}  // namespace MiniDesign
