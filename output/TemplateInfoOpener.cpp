// The installed opener of the template information dialog.

#include "output/TemplateInfoOpener.h"

namespace {
ITemplateInfoOpener* g_opener = nullptr;
} // namespace

void SetTemplateInfoOpener(ITemplateInfoOpener* opener) {
    g_opener = opener;
}

ITemplateInfoOpener* GetTemplateInfoOpener() {
    return g_opener;
}
