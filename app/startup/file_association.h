#pragma once

#include <span>
#include <string_view>

// How the desktop learns that the program opens sketch documents: each key
// with its default value, written at every start in this order. The shell
// maps them onto the desktop's own association mechanism.
struct AssociationEntry {
    std::u16string_view key;
    std::u16string_view value;
};

std::span<const AssociationEntry> fileAssociation();

// The document type's extension and the name the association keys use for
// it. The icons are `PictureId::DocumentIcon` and `PictureId::ProgramIcon`.
inline constexpr std::u16string_view sketchExtension = u".zsf";
inline constexpr std::u16string_view sketchDocumentType = u"zentorsketch";
