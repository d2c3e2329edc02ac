#include "app/frame/pictures/picture_sources.h"

// The XPM sources define one array each; they are included here only, so
// every picture is compiled once.
namespace {

#include "app/resources/circle_0.xpm"
#include "app/resources/circle_0_selected.xpm"
#include "app/resources/circle_1.xpm"
#include "app/resources/circle_1_selected.xpm"
#include "app/resources/circle_2.xpm"
#include "app/resources/circle_2_selected.xpm"
#include "app/resources/circle_3.xpm"
#include "app/resources/circle_3_selected.xpm"
#include "app/resources/circle_4.xpm"
#include "app/resources/circle_4_selected.xpm"
#include "app/resources/circle_5.xpm"
#include "app/resources/circle_5_selected.xpm"
#include "app/resources/document_icon_128.xpm"
#include "app/resources/document_icon_16.xpm"
#include "app/resources/document_icon_24.xpm"
#include "app/resources/document_icon_256.xpm"
#include "app/resources/document_icon_32.xpm"
#include "app/resources/document_icon_48.xpm"
#include "app/resources/document_icon_64.xpm"
#include "app/resources/menu_option_bar.xpm"
#include "app/resources/menu_tool_bar.xpm"
#include "app/resources/opacity_knob.xpm"
#include "app/resources/option_colour.xpm"
#include "app/resources/option_eyedropper.xpm"
#include "app/resources/option_font.xpm"
#include "app/resources/option_font_size.xpm"
#include "app/resources/option_grid.xpm"
#include "app/resources/option_opacity.xpm"
#include "app/resources/option_redo.xpm"
#include "app/resources/option_size.xpm"
#include "app/resources/option_undo.xpm"
#include "app/resources/option_zoom.xpm"
#include "app/resources/product_picture.xpm"
#include "app/resources/program_icon_128.xpm"
#include "app/resources/program_icon_16.xpm"
#include "app/resources/program_icon_24.xpm"
#include "app/resources/program_icon_256.xpm"
#include "app/resources/program_icon_32.xpm"
#include "app/resources/program_icon_48.xpm"
#include "app/resources/program_icon_64.xpm"
#include "app/resources/shape_ellipse.xpm"
#include "app/resources/shape_filled_ellipse.xpm"
#include "app/resources/shape_filled_rectangle.xpm"
#include "app/resources/shape_line.xpm"
#include "app/resources/shape_rectangle.xpm"
#include "app/resources/swatch_frame.xpm"
#include "app/resources/tool_airbrush.xpm"
#include "app/resources/tool_airbrush_selected.xpm"
#include "app/resources/tool_ellipse.xpm"
#include "app/resources/tool_ellipse_selected.xpm"
#include "app/resources/tool_eraser.xpm"
#include "app/resources/tool_eraser_selected.xpm"
#include "app/resources/tool_fill.xpm"
#include "app/resources/tool_fill_selected.xpm"
#include "app/resources/tool_filled_ellipse.xpm"
#include "app/resources/tool_filled_ellipse_selected.xpm"
#include "app/resources/tool_filled_rectangle.xpm"
#include "app/resources/tool_filled_rectangle_selected.xpm"
#include "app/resources/tool_hand.xpm"
#include "app/resources/tool_hand_selected.xpm"
#include "app/resources/tool_line.xpm"
#include "app/resources/tool_line_selected.xpm"
#include "app/resources/tool_pencil.xpm"
#include "app/resources/tool_pencil_selected.xpm"
#include "app/resources/tool_rectangle.xpm"
#include "app/resources/tool_rectangle_selected.xpm"
#include "app/resources/tool_selection.xpm"
#include "app/resources/tool_selection_selected.xpm"
#include "app/resources/tool_smudge.xpm"
#include "app/resources/tool_smudge_selected.xpm"
#include "app/resources/tool_text.xpm"
#include "app/resources/tool_text_selected.xpm"
#include "app/resources/width_1.xpm"
#include "app/resources/width_1_selected.xpm"
#include "app/resources/width_2.xpm"
#include "app/resources/width_2_selected.xpm"
#include "app/resources/width_3.xpm"
#include "app/resources/width_3_selected.xpm"
#include "app/resources/width_4.xpm"
#include "app/resources/width_4_selected.xpm"
#include "app/resources/width_5.xpm"
#include "app/resources/width_5_selected.xpm"
#include "app/resources/width_6.xpm"
#include "app/resources/width_6_selected.xpm"
#include "app/resources/width_7.xpm"
#include "app/resources/width_7_selected.xpm"
#include "app/resources/width_8.xpm"
#include "app/resources/width_8_selected.xpm"

constexpr PictureSource pictures[] = {
    {115, tool_pencil_selected_xpm, XpmLayer::Picture},
    {149, menu_option_bar_xpm, XpmLayer::Picture},
    {150, menu_tool_bar_xpm, XpmLayer::Picture},
    {158, option_grid_xpm, XpmLayer::Picture},
    {161, tool_line_selected_xpm, XpmLayer::Picture},
    {163, tool_rectangle_selected_xpm, XpmLayer::Picture},
    {165, tool_filled_rectangle_selected_xpm, XpmLayer::Picture},
    {167, tool_ellipse_selected_xpm, XpmLayer::Picture},
    {169, tool_filled_ellipse_selected_xpm, XpmLayer::Picture},
    {173, tool_selection_selected_xpm, XpmLayer::Picture},
    {176, opacity_knob_xpm, XpmLayer::Picture},
    {177, tool_hand_selected_xpm, XpmLayer::Picture},
    {178, product_picture_xpm, XpmLayer::Picture},
    {179, tool_text_selected_xpm, XpmLayer::Picture},
    {180, tool_text_xpm, XpmLayer::Picture},
    {181, tool_selection_xpm, XpmLayer::Picture},
    {182, tool_filled_rectangle_xpm, XpmLayer::Picture},
    {183, tool_rectangle_xpm, XpmLayer::Picture},
    {184, tool_pencil_xpm, XpmLayer::Picture},
    {186, tool_line_xpm, XpmLayer::Picture},
    {187, tool_hand_xpm, XpmLayer::Picture},
    {188, option_eyedropper_xpm, XpmLayer::Picture},
    {189, tool_filled_ellipse_xpm, XpmLayer::Picture},
    {190, tool_ellipse_xpm, XpmLayer::Picture},
    {191, shape_ellipse_xpm, XpmLayer::Picture},
    {192, shape_filled_ellipse_xpm, XpmLayer::Picture},
    {193, shape_rectangle_xpm, XpmLayer::Picture},
    {195, option_colour_xpm, XpmLayer::Picture},
    {196, option_font_xpm, XpmLayer::Picture},
    {197, option_font_size_xpm, XpmLayer::Picture},
    {198, option_zoom_xpm, XpmLayer::Picture},
    {199, option_undo_xpm, XpmLayer::Picture},
    {200, option_redo_xpm, XpmLayer::Picture},
    {201, option_size_xpm, XpmLayer::Picture},
    {202, width_1_selected_xpm, XpmLayer::Picture},
    {203, width_2_selected_xpm, XpmLayer::Picture},
    {204, width_3_selected_xpm, XpmLayer::Picture},
    {205, width_4_selected_xpm, XpmLayer::Picture},
    {206, width_5_selected_xpm, XpmLayer::Picture},
    {207, width_6_selected_xpm, XpmLayer::Picture},
    {208, width_7_selected_xpm, XpmLayer::Picture},
    {209, width_8_selected_xpm, XpmLayer::Picture},
    {210, width_1_xpm, XpmLayer::Picture},
    {211, width_2_xpm, XpmLayer::Picture},
    {212, width_3_xpm, XpmLayer::Picture},
    {213, width_4_xpm, XpmLayer::Picture},
    {214, width_5_xpm, XpmLayer::Picture},
    {215, width_6_xpm, XpmLayer::Picture},
    {216, width_7_xpm, XpmLayer::Picture},
    {217, width_8_xpm, XpmLayer::Picture},
    {218, swatch_frame_xpm, XpmLayer::Picture},
    {219, option_font_xpm, XpmLayer::Mask},
    {220, option_zoom_xpm, XpmLayer::Mask},
    {221, option_undo_xpm, XpmLayer::Mask},
    {222, option_redo_xpm, XpmLayer::Mask},
    {223, option_size_xpm, XpmLayer::Mask},
    {224, option_grid_xpm, XpmLayer::Mask},
    {225, option_font_size_xpm, XpmLayer::Mask},
    {226, swatch_frame_xpm, XpmLayer::Mask},
    {227, tool_text_xpm, XpmLayer::Mask},
    {228, tool_text_selected_xpm, XpmLayer::Mask},
    {229, tool_selection_xpm, XpmLayer::Mask},
    {230, tool_filled_rectangle_xpm, XpmLayer::Mask},
    {231, tool_selection_selected_xpm, XpmLayer::Mask},
    {232, tool_filled_rectangle_selected_xpm, XpmLayer::Mask},
    {233, tool_rectangle_xpm, XpmLayer::Mask},
    {234, tool_rectangle_selected_xpm, XpmLayer::Mask},
    {235, tool_pencil_xpm, XpmLayer::Mask},
    {236, tool_pencil_selected_xpm, XpmLayer::Mask},
    {239, tool_line_xpm, XpmLayer::Mask},
    {240, tool_hand_selected_xpm, XpmLayer::Mask},
    {241, tool_line_selected_xpm, XpmLayer::Mask},
    {242, tool_hand_xpm, XpmLayer::Mask},
    {243, option_eyedropper_xpm, XpmLayer::Mask},
    {245, tool_filled_ellipse_xpm, XpmLayer::Mask},
    {246, tool_filled_ellipse_selected_xpm, XpmLayer::Mask},
    {247, tool_ellipse_xpm, XpmLayer::Mask},
    {248, tool_ellipse_selected_xpm, XpmLayer::Mask},
    {249, shape_filled_rectangle_xpm, XpmLayer::Picture},
    {251, tool_airbrush_selected_xpm, XpmLayer::Picture},
    {252, tool_airbrush_selected_xpm, XpmLayer::Mask},
    {253, tool_airbrush_xpm, XpmLayer::Picture},
    {254, tool_airbrush_xpm, XpmLayer::Mask},
    {255, circle_0_selected_xpm, XpmLayer::Picture},
    {256, circle_1_selected_xpm, XpmLayer::Picture},
    {257, circle_2_selected_xpm, XpmLayer::Picture},
    {258, circle_3_selected_xpm, XpmLayer::Picture},
    {259, circle_4_selected_xpm, XpmLayer::Picture},
    {260, circle_5_selected_xpm, XpmLayer::Picture},
    {263, circle_0_xpm, XpmLayer::Picture},
    {264, circle_1_xpm, XpmLayer::Picture},
    {265, circle_2_xpm, XpmLayer::Picture},
    {266, circle_3_xpm, XpmLayer::Picture},
    {267, circle_4_xpm, XpmLayer::Picture},
    {268, circle_5_xpm, XpmLayer::Picture},
    {271, tool_smudge_xpm, XpmLayer::Mask},
    {272, tool_smudge_xpm, XpmLayer::Picture},
    {273, tool_smudge_selected_xpm, XpmLayer::Mask},
    {274, tool_smudge_selected_xpm, XpmLayer::Picture},
    {277, tool_eraser_xpm, XpmLayer::Mask},
    {278, tool_eraser_xpm, XpmLayer::Picture},
    {279, tool_eraser_selected_xpm, XpmLayer::Mask},
    {280, tool_eraser_selected_xpm, XpmLayer::Picture},
    {281, tool_fill_xpm, XpmLayer::Mask},
    {282, tool_fill_xpm, XpmLayer::Picture},
    {283, tool_fill_selected_xpm, XpmLayer::Mask},
    {284, tool_fill_selected_xpm, XpmLayer::Picture},
    {285, shape_line_xpm, XpmLayer::Picture},
    {286, option_opacity_xpm, XpmLayer::Mask},
    {287, option_opacity_xpm, XpmLayer::Picture},
};

constexpr IconSource icons[] = {
    {101, 16, program_icon_16_xpm},    {101, 24, program_icon_24_xpm},
    {101, 32, program_icon_32_xpm},    {101, 48, program_icon_48_xpm},
    {101, 64, program_icon_64_xpm},    {101, 128, program_icon_128_xpm},
    {101, 256, program_icon_256_xpm},  {169, 16, document_icon_16_xpm},
    {169, 24, document_icon_24_xpm},   {169, 32, document_icon_32_xpm},
    {169, 48, document_icon_48_xpm},   {169, 64, document_icon_64_xpm},
    {169, 128, document_icon_128_xpm}, {169, 256, document_icon_256_xpm},
};

}  // namespace

std::span<const PictureSource> pictureSources() {
    return pictures;
}

std::span<const IconSource> iconSources() {
    return icons;
}
