#include "Skin.h"

namespace skin {

// Sizes are those of one frame. Where the program takes a window's size from
// its background (fixed dialogs), the background has that window's size.
const QVector<Picture> &pictures()
{
    using R = Recipe;
    using G = Glyph;
    static const QVector<Picture> table{
        // Main window and shared dialog parts.
        {"/image/backgroud.png", 240, 240, R::Panel, G::None, 30},
        {"/image/bg_noFile.png", 128, 96, R::FaintGlyph, G::Film},
        {"/image/btn_close.png", 24, 24, R::CloseButton},
        {"/image/btn_prefer.png", 86, 32, R::SideTab},
        {"/image/btn_min.png", 24, 24, R::GlyphButton, G::Minimize},
        {"/image/btn_max.png", 24, 24, R::GlyphButton, G::Maximize},
        {"/image/btn_restore.png", 24, 24, R::GlyphButton, G::Restore},
        {"/image/btn_menu.png", 24, 24, R::GlyphButton, G::Menu},

        {"/image/Common_bg/Edit_selections_no.png", 16, 16, R::RadioOff},
        {"/image/Common_bg/Edit_selections_yes.png", 16, 16, R::RadioOn},
        {"/image/Common_bg/bg_2.png", 325, 170, R::Panel, G::None, 38},
        {"/image/Common_bg/bg_4.png", 636, 496, R::Panel, G::None, 38},
        {"/image/Common_bg/bg_combobox2.png", 159, 24, R::FieldStates},
        {"/image/Common_bg/btn_arrow.png", 10, 10, R::DarkArrow, G::ArrowDown},
        {"/image/Common_bg/btn_check_off1.png", 14, 14, R::CheckOff},
        {"/image/Common_bg/btn_check_on1.png", 14, 14, R::CheckOn},
        {"/image/Common_bg/btn_common.png", 72, 28, R::PlateButton},
        {"/image/Common_bg/btn_common1.png", 100, 30, R::AccentPlate},
        {"/image/Common_bg/btn_common3.png", 19, 19, R::PlateButton},
        {"/image/Common_bg/btn_count.png", 20, 20, R::Badge},
        {"/image/Common_bg/btn_up.png", 12, 12, R::SmallArrow, G::ArrowUp},
        {"/image/Common_bg/btn_down.png", 12, 12, R::SmallArrow, G::ArrowDown},
        {"/image/Common_bg/main_logo.png", 20, 20, R::Logo},
        {"/image/Common_bg/no_title_logo.png", 32, 32, R::Logo},
        {"/image/Common_bg/spin_rect.png", 120, 24, R::LightField},

        // Player panel.
        {"/image/PlayDlg/bg_play.png", 120, 120, R::PlainPanel},
        {"/image/PlayDlg/bg_audio.png", 394, 234, R::FaintGlyph, G::Note, 1},
        {"/image/PlayDlg/btn_play.png", 32, 32, R::AccentButton, G::Play},
        {"/image/PlayDlg/btn_pause.png", 32, 32, R::AccentButton, G::Pause},
        {"/image/PlayDlg/btn_stop.png", 28, 28, R::GlyphButton, G::Stop},
        {"/image/PlayDlg/btn_previous_frame.png", 28, 28, R::GlyphButton, G::PreviousFrame},
        {"/image/PlayDlg/btn_next_frame.png", 28, 28, R::GlyphButton, G::NextFrame},
        {"/image/PlayDlg/btn_previous_key_frame.png", 28, 28, R::GlyphButton, G::PreviousKeyFrame},
        {"/image/PlayDlg/btn_next_key_frame.png", 28, 28, R::GlyphButton, G::NextKeyFrame},
        {"/image/PlayDlg/loading_trake.png", 100, 6, R::Track},
        {"/image/PlayDlg/loading_trake2.png", 100, 6, R::TrackFill},
        {"/image/PlayDlg/play_sound_trake_slider.png", 80, 4, R::Track},
        {"/image/PlayDlg/play_sound_trake_rate.png", 80, 4, R::TrackFill},
        {"/image/PlayDlg/play_sound_btn.png", 10, 10, R::HandleRound},
        {"/image/PlayDlg/btn_sound_open.png", 24, 24, R::GlyphButton, G::SoundOn},
        {"/image/PlayDlg/btn_sound_close.png", 24, 24, R::GlyphButton, G::SoundOff},

        // Cut tool.
        {"/image/CutToolDlg/bg_cutTool.png", 300, 110, R::PlainPanel},
        {"/image/CutToolDlg/trake_cut1.png", 200, 8, R::Track},
        {"/image/CutToolDlg/trake_cut2.png", 200, 8, R::TrackFill},
        {"/image/CutToolDlg/trake_cut_btn_bg.png", 24, 34, R::HandleArea},
        {"/image/CutToolDlg/btn_silder_left.png", 12, 30, R::HandleStart},
        {"/image/CutToolDlg/btn_silder_right.png", 12, 30, R::HandleEnd},
        {"/image/CutToolDlg/btn_silder_proess.png", 9, 26, R::HandleHead},
        {"/image/CutToolDlg/btn_start_time.png", 28, 28, R::GlyphButton, G::MarkStart},
        {"/image/CutToolDlg/btn_end_time.png", 28, 28, R::GlyphButton, G::MarkEnd},
        {"/image/CutToolDlg/btn_play_section.png", 28, 28, R::GlyphButton, G::PlaySection},
        {"/image/CutToolDlg/btn_pause_section.png", 28, 28, R::GlyphButton, G::PauseSection},
        {"/image/CutToolDlg/btn_stop_section.png", 28, 28, R::GlyphButton, G::StopSection},
        {"/image/CutToolDlg/btn_left.png", 19, 19, R::PlateButton, G::ArrowLeft},
        {"/image/CutToolDlg/btn_right.png", 19, 19, R::PlateButton, G::ArrowRight},

        // Segment list, rows and timeline.
        {"/image/CutListDlg/Video_icon.png", 55, 45, R::Placeholder, G::Film},
        {"/image/CutListDlg/btn_add.png", 28, 28, R::AccentButton, G::Plus},
        {"/image/CutListDlg/btn_delete.png", 20, 20, R::GlyphButton, G::Trash},
        {"/image/CutListDlg/btn_edit.png", 20, 20, R::GlyphButton, G::Pencil},
        {"/image/CutListDlg/btn_up.png", 24, 24, R::LightBarGlyph, G::ArrowUp},
        {"/image/CutListDlg/btn_down.png", 24, 24, R::LightBarGlyph, G::ArrowDown},
        {"/image/CutListDlg/btn_show.png", 24, 24, R::LightBarGlyph, G::ChevronDown},
        {"/image/CutListDlg/btn_hide.png", 24, 24, R::LightBarGlyph, G::ChevronUp},
        {"/image/CutListDlg/btn_oneline.png", 24, 24, R::LightBarGlyph, G::OneLine},
        {"/image/CutListDlg/btn_moreline.png", 24, 24, R::LightBarGlyph, G::MoreLines},
        {"/image/CutListDlg/btn_moreline_edit.png", 24, 24, R::LightBarGlyph, G::Pencil},
        {"/image/CutListDlg/btn_moreline_delete.png", 24, 24, R::LightBarGlyph, G::Trash},
        {"/image/CutListDlg/btn_open.png", 44, 36, R::LightBarGlyph, G::Folder, -8},
        {"/image/CutListDlg/btn_size.png", 40, 10, R::HandleGrip},
        {"/image/CutListDlg/btn_silder_proess.png", 11, 40, R::HandleHead},
        {"/image/CutListDlg/trake1.png", 100, 6, R::Track},
        {"/image/CutListDlg/trake2.png", 100, 6, R::TrackFill},
        {"/image/CutListDlg/trake_cut1.png", 100, 7, R::Track},
        {"/image/CutListDlg/trake_cut2.png", 100, 7, R::TrackFill},

        // Format dialog.
        {"/image/Format_Dlg/bg_setting.png", 555, 129, R::PlainPanel},
        {"/image/Format_Dlg/btn_Default.png", 72, 26, R::PlateButton},
        {"/image/Format_Dlg/btn_video.png", 80, 28, R::DarkTab},
        {"/image/Format_Dlg/btn_audio.png", 80, 28, R::DarkTab},
        {"/image/Format_Dlg/btn_settings.png", 16, 16, R::GlyphButton, G::Gear},
        {"/image/Format_Dlg/format_item.png", 98, 76, R::Tile},
        {"/image/Format_Dlg/tab_btn_bg_image.png", 90, 30, R::DarkTab},

        // Vertical scroll bar arrows (normal, hover).
        {"/image/ScrollBar/btn_up.png", 8, 9, R::ScrollArrow, G::ArrowUp, 0},
        {"/image/ScrollBar/btn_up2.png", 8, 9, R::ScrollArrow, G::ArrowUp, 1},
        {"/image/ScrollBar/btn_down.png", 8, 9, R::ScrollArrow, G::ArrowDown, 0},
        {"/image/ScrollBar/btn_down2.png", 8, 9, R::ScrollArrow, G::ArrowDown, 1},

        // Message boxes.
        {"/pic/bg_msg.png", 180, 180, R::Panel, G::None, 44},
        {"/pic/btn_close.png", 24, 24, R::CloseButton},
        {"/pic/btn_common.png", 80, 30, R::PlateButton},
        {"/pic/msg_title_icon.png", 20, 20, R::Logo},
        {"/pic/warning.png", 36, 36, R::WarningIcon, G::Exclamation},
        {"/pic/Success.png", 36, 36, R::MessageIcon, G::Check, 0},
        {"/pic/error.png", 36, 36, R::MessageIcon, G::Cross, 1},
        {"/pic/help.png", 36, 36, R::MessageIcon, G::Question, 2},

        // Editing dialog.
        {"/VEditSource/bg_3.png", 351, 125, R::Panel, G::None, 30},
        {"/VEditSource/bg_border_line.png", 26, 26, R::FrameHandles},
        {"/VEditSource/btn_close.png", 24, 24, R::CloseButton},
        {"/VEditSource/btn_common.png", 72, 26, R::PlateButton},
        {"/VEditSource/btn_play.png", 28, 28, R::AccentButton, G::Play},
        {"/VEditSource/btn_pause.png", 28, 28, R::AccentButton, G::Pause},
        {"/VEditSource/btn_stop.png", 28, 28, R::GlyphButton, G::Stop},
        {"/VEditSource/btn_previous.png", 28, 28, R::GlyphButton, G::PreviousFile},
        {"/VEditSource/btn_next.png", 28, 28, R::GlyphButton, G::NextFile},
        {"/VEditSource/btn_snapshot.png", 28, 28, R::GlyphButton, G::Camera},
        {"/VEditSource/btn_snapshot_menu.png", 12, 28, R::GlyphButton, G::MenuArrow},
        {"/VEditSource/btn_family.png", 26, 22, R::GlyphButton, G::Folder},
        {"/VEditSource/btn_text_font.png", 26, 22, R::GlyphButton, G::Font},
        {"/VEditSource/btn_silder_start.png", 10, 24, R::HandleStart},
        {"/VEditSource/btn_silder_end.png", 10, 24, R::HandleEnd},
        {"/VEditSource/btn_silder_proess.png", 7, 20, R::HandleHead},
        {"/VEditSource/slider_bottom.png", 100, 4, R::Track},
        {"/VEditSource/slider_top.png", 100, 4, R::TrackFill},
        {"/VEditSource/slider_image.png", 12, 12, R::HandleRound},
        {"/VEditSource/btn_check_off.png", 14, 14, R::CheckOff},
        {"/VEditSource/btn_check_on.png", 14, 14, R::CheckOn},
        {"/VEditSource/Edit_selections_no.png", 16, 16, R::RadioOff},
        {"/VEditSource/Edit_selections_yes.png", 16, 16, R::RadioOn},
        {"/VEditSource/edit_background.png", 60, 22, R::Field},
        {"/VEditSource/cbb_trigonometric.png", 10, 10, R::DarkArrow, G::ArrowDown},
        {"/VEditSource/spinBox_bg.png", 78, 22, R::Field},
        {"/VEditSource/spinBox_up.png", 14, 11, R::DarkArrow, G::ArrowUp},
        {"/VEditSource/spinBox_down.png", 14, 11, R::DarkArrow, G::ArrowDown},
        {"/VEditSource/tab_btn_bg_image.png", 80, 28, R::LightTab},
        {"/VEditSource/normal.png", 56, 42, R::Placeholder, G::NoEffect},
        {"/VEditSource/add_watermark_image.png", 64, 64, R::PlateButton, G::AddPicture},
        {"/VEditSource/delete_watermark_image.png", 20, 20, R::GlyphButton, G::Trash},
        {"/VEditSource/adjust/rotate_L_90.png", 32, 32, R::GlyphButton, G::RotateLeft},
        {"/VEditSource/adjust/rotate_R_90.png", 32, 32, R::GlyphButton, G::RotateRight},
        {"/VEditSource/adjust/flip_H.png", 32, 32, R::GlyphButton, G::FlipHorizontal},
        {"/VEditSource/adjust/flip_V.png", 32, 32, R::GlyphButton, G::FlipVertical},

        // Drawn input controls and bars: edits, text boxes, spin boxes,
        // progress bars, value sliders and scroll bar arrows.
        {"/image/Common_bg/bg_edit.png", 120, 24, R::FieldStates},
        {"/image/Common_bg/bg_textedit.png", 48, 48, R::Field},
        {"/image/Common_bg/bg_spinbox.png", 78, 22, R::FieldStates},
        {"/image/Common_bg/spin_up.png", 14, 10, R::DarkArrow, G::ArrowUp},
        {"/image/Common_bg/spin_down.png", 14, 10, R::DarkArrow, G::ArrowDown},
        {"/image/Common_bg/progress_track.png", 100, 8, R::Track},
        {"/image/Common_bg/progress_fill.png", 100, 8, R::TrackFill},
        {"/image/Common_bg/slider_handle.png", 14, 14, R::HandleRound},
        {"/image/ScrollBar/arrow_vertical.png", 10, 12, R::ScrollArrowStates, G::ArrowDown},
        {"/image/ScrollBar/arrow_horizontal.png", 12, 10, R::ScrollArrowStates, G::ArrowRight},
    };
    static const QVector<Picture> all = table + formatIcons();
    return all;
}

namespace {
struct FormatIconRow {
    const char *name;
    const char *label;
    Glyph glyph;
    int family;
};

QString formatIconPath(const char *name)
{
    return QStringLiteral("/image/Format/icon_%1.png").arg(QLatin1String(name));
}
} // namespace

static const QVector<FormatIconRow> &formatIconRows()
{
    // Colour families: 0 video container, 1 audio, 2 device or quality
    // class, 3 the source's own container.
    static const QVector<FormatIconRow> icons{
        {"original", "SAME", Glyph::Film, 3},
        {"mp4", "MP4", Glyph::Film, 0},     {"hevc", "HEVC", Glyph::Film, 0}, {"mkv", "MKV", Glyph::Film, 0},
        {"avi", "AVI", Glyph::Film, 0},     {"xvid", "XVID", Glyph::Film, 0}, {"divx", "DIVX", Glyph::Film, 0},
        {"mov", "MOV", Glyph::Film, 0},     {"wmv", "WMV", Glyph::Film, 0},   {"flv", "FLV", Glyph::Film, 0},
        {"webm", "WEBM", Glyph::Film, 0},   {"mpeg", "MPG", Glyph::Film, 0},  {"ts", "TS", Glyph::Film, 0},
        {"3gp", "3GP", Glyph::Film, 0},     {"ogv", "OGV", Glyph::Film, 0},   {"dv", "DV", Glyph::Film, 0},
        {"m4v", "M4V", Glyph::Film, 0},
        {"hd", "HD", Glyph::Film, 2},       {"4k", "4K", Glyph::Film, 2},     {"phone", "PHONE", Glyph::Film, 2},
        {"tablet", "TABLET", Glyph::Film, 2}, {"tv", "TV", Glyph::Film, 2},   {"dvd", "DVD", Glyph::Film, 2},
        {"console", "GAME", Glyph::Film, 2}, {"player", "PLAYER", Glyph::Film, 2}, {"web", "WEB", Glyph::Film, 2},
        {"mp3", "MP3", Glyph::Note, 1},     {"aac", "AAC", Glyph::Note, 1},   {"m4a", "M4A", Glyph::Note, 1},
        {"ogg", "OGG", Glyph::Note, 1},     {"flac", "FLAC", Glyph::Note, 1}, {"wav", "WAV", Glyph::Note, 1},
        {"ac3", "AC3", Glyph::Note, 1},     {"alac", "ALAC", Glyph::Note, 1}, {"mka", "MKA", Glyph::Note, 1},
        {"mp2", "MP2", Glyph::Note, 1},     {"aiff", "AIFF", Glyph::Note, 1}, {"wma", "WMA", Glyph::Note, 1},
    };
    return icons;
}

QVector<Picture> formatIcons()
{
    QVector<Picture> out;
    for (const FormatIconRow &icon : formatIconRows())
        out.append({formatIconPath(icon.name), 37, 37, Recipe::FormatIcon, icon.glyph, icon.family});
    return out;
}

QString formatIconLabel(const QString &path)
{
    for (const FormatIconRow &icon : formatIconRows())
        if (formatIconPath(icon.name) == path)
            return QLatin1String(icon.label);
    return QString();
}

bool isStateRecipe(Recipe recipe)
{
    switch (recipe) {
    case Recipe::GlyphButton:
    case Recipe::LightBarGlyph:
    case Recipe::AccentButton:
    case Recipe::CloseButton:
    case Recipe::PlateButton:
    case Recipe::AccentPlate:
    case Recipe::DarkTab:
    case Recipe::SideTab:
    case Recipe::LightTab:
    case Recipe::FieldStates:
    case Recipe::Tile:
    case Recipe::HandleStart:
    case Recipe::HandleEnd:
    case Recipe::HandleHead:
    case Recipe::HandleRound:
    case Recipe::HandleGrip:
    case Recipe::SmallArrow:
    case Recipe::DarkArrow:
    case Recipe::ScrollArrowStates:
        return true;
    default:
        return false;
    }
}

} // namespace skin
