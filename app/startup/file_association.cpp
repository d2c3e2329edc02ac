#include "app/startup/file_association.h"

namespace {

constexpr AssociationEntry entries[] = {
    {u".zsf", u"zentorsketch"},
    {u"zentorsketch\\Shell\\Open\\Command", u"Mirabo.exe file:%1"},
    {u"zentorsketch\\DefaultIcon", u"Mirabo.exe,-169"},
};

}  // namespace

std::span<const AssociationEntry> fileAssociation() {
    return entries;
}
