// helpgen writes the program's help pages into the program folder: hilfe/email.html, the page the
// send-mail sheet's help button opens.
//
//     helpgen <program folder>

#include <filesystem>
#include <fstream>
#include <iostream>

namespace {

constexpr char kEmailHelp[] = R"(<!DOCTYPE html>
<html lang="de">
<head>
<meta charset="utf-8">
<title>Vellumcraft – Seite per E-Mail senden</title>
<style>
body { font-family: "Liberation Sans", Arial, sans-serif; max-width: 40em; margin: 2em auto; line-height: 1.45; }
h1 { font-size: 1.4em; } h2 { font-size: 1.1em; margin-top: 1.6em; }
</style>
</head>
<body>
<h1>Seite per E-Mail senden</h1>
<p>Mit dieser Funktion verschicken Sie die aktuelle Seite als JPEG-Bild per E-Mail.</p>
<h2>Einstellungen</h2>
<p>Geben Sie unter <b>Einstellungen …</b> Ihre Absenderadresse und den Namen Ihres Mailservers (SMTP)
an, zum Beispiel <i>smtp.example.org</i>. Der Server muss Nachrichten ohne Anmeldung über Port 25
annehmen.</p>
<h2>Empfänger, Betreff und Text</h2>
<p>Tragen Sie unter <b>An</b> einen oder mehrere Empfänger ein, getrennt durch Semikolons, etwa
<i>Anna Berg &lt;anna@example.org&gt;; ben@example.org</i>. Weitere Empfänger gehören in das Feld
<b>Kopie an</b>.</p>
<h2>Art der Nachricht</h2>
<p><b>Seite als Anhang</b> sendet Ihren Text und hängt das Bild der Seite an.
<b>Seite im Text (HTML)</b> zeigt das Bild unter Ihrem Text in der Nachricht selbst.</p>
<h2>Bildgröße</h2>
<p>Die Bildgröße wird in Prozent angegeben, von 10 bis 300. Daneben steht, wie viele Pixel das Bild
breit und hoch wird. Auf der Seite <b>Vorschau</b> sehen Sie das Bild so, wie es verschickt wird.</p>
<h2>Senden</h2>
<p>Nach einem Klick auf <b>Senden</b> zeigt der Fortschrittsbalken, wie weit die Übertragung ist.
Lehnt der Mailserver einzelne Empfänger ab, erhalten die übrigen die Nachricht trotzdem, und
Vellumcraft nennt Ihnen die abgelehnten Adressen.</p>
</body>
</html>
)";

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: helpgen <program folder>\n";
        return 2;
    }
    const std::filesystem::path folder = std::filesystem::path(argv[1]) / "hilfe";
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    std::ofstream page(folder / "email.html", std::ios::binary);
    page << kEmailHelp;
    page.close();
    if (!page) {
        std::cerr << "helpgen: cannot write " << (folder / "email.html").string() << '\n';
        return 1;
    }
    return 0;
}
