#include "tools/skingen/HeaderWriter.h"

#include <QString>
#include <QTextStream>

namespace SkinGen {

namespace {

void WriteTable(QTextStream& out, const std::string& name, const Outline& points) {
    out << "inline constexpr POINT k" << QString::fromStdString(name) << "[" << points.size() << "] = {";
    for (size_t i = 0; i < points.size(); ++i) {
        out << (i % 8 == 0 ? "\n    " : " ") << "{" << points[i].x() << ", " << points[i].y() << "}"
            << (i + 1 < points.size() ? "," : "");
    }
    out << "\n};\n";
}

void WriteProbe(QTextStream& out, const RenderedBitmap& bitmap) {
    out << "    {\"" << QString::fromStdString(bitmap.name) << "\", " << bitmap.image.width() << ", "
        << bitmap.image.height() << ", {" << bitmap.probe.x() << ", " << bitmap.probe.y() << "}, RGB("
        << qRed(bitmap.probeColour) << ", " << qGreen(bitmap.probeColour) << ", " << qBlue(bitmap.probeColour)
        << ")},\n";
}

} // namespace

QByteArray SkinArtHeader(const std::vector<RenderedWindow>& windows,
                         const std::vector<RenderedBitmap>& numbered) {
    QString text;
    QTextStream out(&text);
    out << "#pragma once\n"
           "// Written by skingen while the build draws the skin art; edits are lost on the next build.\n"
           "//\n"
           "// Point tables of the skinned controls, in each control's client coordinates: <Name>Shape is\n"
           "// the window region and <Name>Hit the area where presses count, both polygon regions in\n"
           "// winding fill mode unless the comment says otherwise. kBitmaps lists every skin bitmap with\n"
           "// its size and a probe: a pixel inside the control's shape and hit area whose colour differs\n"
           "// between the state bitmaps of one control and from the background under it.\n"
           "\n"
           "#include \"platform/base/WinStructs.h\"\n"
           "\n"
           "#include <string_view>\n"
           "\n"
           "namespace SkinArt {\n"
           "\n"
           "struct BitmapProbe {\n"
           "    const char* name;\n"
           "    int width;\n"
           "    int height;\n"
           "    POINT probe;\n"
           "    COLORREF colour;\n"
           "};\n";
    for (const RenderedWindow& window : windows) {
        out << "\n// " << QString::fromStdString(window.window->name) << "\n";
        for (const NamedOutline& outline : window.window->outlines) {
            out << "\n// " << outline.comment << "\n";
            WriteTable(out, outline.tableName, outline.points);
        }
        for (const RenderedButton& button : window.buttons) {
            out << "\n";
            if (!button.button->comment.empty()) {
                out << "// " << QString::fromStdString(button.button->comment) << "\n";
            }
            WriteTable(out, button.button->tableName + button.button->shapeSuffix, button.button->shape);
            if (!button.button->hit.empty()) {
                WriteTable(out, button.button->tableName + "Hit", button.button->hit);
            }
        }
    }
    out << "\ninline constexpr BitmapProbe kBitmaps[] = {\n";
    for (const RenderedWindow& window : windows) {
        WriteProbe(out, window.background);
        for (const RenderedButton& button : window.buttons) {
            for (const RenderedBitmap& state : button.states) {
                WriteProbe(out, state);
            }
        }
        for (const RenderedBitmap& extra : window.extras) {
            WriteProbe(out, extra);
        }
    }
    for (const RenderedBitmap& bitmap : numbered) {
        WriteProbe(out, bitmap);
    }
    out << "};\n"
           "\n"
           "constexpr const BitmapProbe* FindBitmap(std::string_view name) {\n"
           "    for (const BitmapProbe& bitmap : kBitmaps) {\n"
           "        if (name == bitmap.name) {\n"
           "            return &bitmap;\n"
           "        }\n"
           "    }\n"
           "    return nullptr;\n"
           "}\n"
           "\n"
           "} // namespace SkinArt\n";
    out.flush();
    return text.toUtf8();
}

} // namespace SkinGen
