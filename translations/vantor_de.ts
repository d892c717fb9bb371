<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de" sourcelanguage="en">
<context>
    <name>vantor::CommandLine</name>
    <message>
        <source>Displays this help.</source>
        <translation>Zeigt diese Hilfe an.</translation>
    </message>
    <message>
        <source>Print the sheets to a PDF file (600 dpi unless --dpi).</source>
        <translation>Druckt die Bögen in eine PDF-Datei (600 dpi, sofern nicht --dpi).</translation>
    </message>
    <message>
        <source>FILE</source>
        <translation>DATEI</translation>
    </message>
    <message>
        <source>Write the drawing operations of each page instead (300 dpi unless --dpi).</source>
        <translation>Schreibt stattdessen die Zeichenoperationen jeder Seite (300 dpi, sofern nicht --dpi).</translation>
    </message>
    <message>
        <source>Print on the named system printer, without the print dialog.</source>
        <translation>Druckt ohne Druckdialog auf dem genannten Systemdrucker.</translation>
    </message>
    <message>
        <source>NAME</source>
        <translation>NAME</translation>
    </message>
    <message>
        <source>The tape library maker: %1 (default: standard, the start-up choice).</source>
        <translation>Der Hersteller der Bandbibliothek: %1 (Vorgabe: standard, die Wahl beim Start).</translation>
    </message>
    <message>
        <source>or</source>
        <translation>oder</translation>
    </message>
    <message>
        <source>MAKER</source>
        <translation>HERSTELLER</translation>
    </message>
    <message>
        <source>The StorageTek media kind: %1; the maker is then storagetek.</source>
        <translation>Die StorageTek-Medienart: %1; der Hersteller ist dann storagetek.</translation>
    </message>
    <message>
        <source>KIND</source>
        <translation>ART</translation>
    </message>
    <message>
        <source>The first volume serial (default: the media kind&apos;s default).</source>
        <translation>Die erste Datenträgernummer (Vorgabe: die der Medienart).</translation>
    </message>
    <message>
        <source>XXXNNN</source>
        <translation>XXXNNN</translation>
    </message>
    <message>
        <source>&quot;Rotated sequence&quot; on, where the maker allows it.</source>
        <translation>„Rotated sequence“ ein, wo der Hersteller es zulässt.</translation>
    </message>
    <message>
        <source>&quot;Rotated sequence&quot; off.</source>
        <translation>„Rotated sequence“ aus.</translation>
    </message>
    <message>
        <source>Clear &quot;Colored sequence&quot;.</source>
        <translation>„Colored sequence“ ausschalten.</translation>
    </message>
    <message>
        <source>Digit colour scheme by its caption, any case: %1.</source>
        <translation>Farbschema der Ziffern nach seiner Beschriftung, Groß-/Kleinschreibung beliebig: %1.</translation>
    </message>
    <message>
        <source>N sheets, 1 to 1000, the serial continuing from sheet to sheet.</source>
        <translation>N Bögen, 1 bis 1000; die Nummer läuft von Bogen zu Bogen weiter.</translation>
    </message>
    <message>
        <source>N</source>
        <translation>N</translation>
    </message>
    <message>
        <source>Draw the label outlines.</source>
        <translation>Zeichnet die Umrisse der Etiketten.</translation>
    </message>
    <message>
        <source>Resolution of the PDF or trace, 72 to 4800.</source>
        <translation>Auflösung der PDF-Datei oder der Aufzeichnung, 72 bis 4800.</translation>
    </message>
    <message>
        <source>Prints barcode labels for data-tape cartridges. Without --print-pdf, --print-trace or --printer
it opens its window; with one of them it prints without the window, the window&apos;s choices given
as options.</source>
        <translation>Druckt Barcode-Etiketten für Datenbandkassetten. Ohne --print-pdf, --print-trace oder --printer
öffnet es sein Fenster; mit einer dieser Optionen druckt es ohne Fenster, und die Auswahl des
Fensters wird als Optionen angegeben.</translation>
    </message>
    <message>
        <source>Barcode type: %1.</source>
        <translation>Barcode-Typ: %1.</translation>
    </message>
    <message>
        <source>7 digits and a check digit (retail goods)</source>
        <translation>7 Ziffern und eine Prüfziffer (Handelswaren)</translation>
    </message>
    <message>
        <source>12 digits and a check digit; add-on possible</source>
        <translation>12 Ziffern und eine Prüfziffer; Zusatzcode möglich</translation>
    </message>
    <message>
        <source>11 digits and a check digit; add-on possible</source>
        <translation>11 Ziffern und eine Prüfziffer; Zusatzcode möglich</translation>
    </message>
    <message>
        <source>6 digits and a check digit (short UPC)</source>
        <translation>6 Ziffern und eine Prüfziffer (kurzer UPC)</translation>
    </message>
    <message>
        <source>0-9, A-Z, space and - . $ / + %; the tape labels&apos; code</source>
        <translation>0-9, A-Z, Leerzeichen und - . $ / + %; der Code der Bandetiketten</translation>
    </message>
    <message>
        <source>Interleaved 2 of 5: digits; a check digit evens an odd count</source>
        <translation>Interleaved 2 of 5: Ziffern; eine Prüfziffer macht eine ungerade Anzahl gerade</translation>
    </message>
    <message>
        <source>the same with the postal check digit</source>
        <translation>dasselbe mit der Prüfziffer der Post</translation>
    </message>
    <message>
        <source>Code 128 from set A: capitals, digits, signs; a-z as controls</source>
        <translation>Code 128 ab Zeichensatz A: Großbuchstaben, Ziffern, Zeichen; a-z als Steuerzeichen</translation>
    </message>
    <message>
        <source>Code 128 from set B: printable ASCII</source>
        <translation>Code 128 ab Zeichensatz B: druckbares ASCII</translation>
    </message>
    <message>
        <source>Code 128 from set C: digits in pairs</source>
        <translation>Code 128 ab Zeichensatz C: Ziffern paarweise</translation>
    </message>
    <message>
        <source>digits and the MSI check digit</source>
        <translation>Ziffern und die MSI-Prüfziffer</translation>
    </message>
    <message>
        <source>0-9 and - $ : / . +; A-D start and stop</source>
        <translation>0-9 und - $ : / . +; A-D als Start und Stopp</translation>
    </message>
    <message>
        <source>US ZIP code: 5, 9 or 11 digits and a check digit</source>
        <translation>US-Postleitzahl: 5, 9 oder 11 Ziffern und eine Prüfziffer</translation>
    </message>
    <message>
        <source>US facing identification mark: A, B or C</source>
        <translation>US-Ausrichtungsmarke (FIM): A, B oder C</translation>
    </message>
    <message>
        <source>Barcode types (--type takes any case):</source>
        <translation>Barcode-Typen (--type in beliebiger Schreibweise):</translation>
    </message>
    <message>
        <source>TYPE</source>
        <translation>TYP</translation>
    </message>
    <message>
        <source>The text to encode, at most 50 bytes. What the type changes is named on stderr.</source>
        <translation>Der zu codierende Text, höchstens 50 Bytes. Was der Typ daran ändert, steht auf stderr.</translation>
    </message>
    <message>
        <source>TEXT</source>
        <translation>TEXT</translation>
    </message>
    <message>
        <source>EAN_13 / UPC_A add-on of 2 or 5 digits (of 3 or 4 the first 2 are kept).</source>
        <translation>Zusatzcode zu EAN_13 / UPC_A aus 2 oder 5 Ziffern (von 3 oder 4 bleiben die ersten 2).</translation>
    </message>
    <message>
        <source>DIGITS</source>
        <translation>ZIFFERN</translation>
    </message>
    <message>
        <source>Wide to narrow ratio, 2 or 3 (default 3).</source>
        <translation>Verhältnis breit zu schmal, 2 oder 3 (Vorgabe 3).</translation>
    </message>
    <message>
        <source>2|3</source>
        <translation>2|3</translation>
    </message>
    <message>
        <source>Print the code text and the module sequence.</source>
        <translation>Gibt den Codetext und die Modulfolge aus.</translation>
    </message>
    <message>
        <source>Draw the barcode into FILE (.png, .svg or .pdf) on white with a quiet zone of ten modules.</source>
        <translation>Zeichnet den Barcode in DATEI (.png, .svg oder .pdf), auf Weiß mit einer Ruhezone von zehn Modulen.</translation>
    </message>
    <message>
        <source>Resolution of the image, 1 to 2400 (default 300).</source>
        <translation>Auflösung des Bildes, 1 bis 2400 (Vorgabe 300).</translation>
    </message>
    <message>
        <source>Module width class (default SC2, 0.33 mm).</source>
        <translation>Modulbreitenklasse (Vorgabe SC2, 0,33 mm).</translation>
    </message>
    <message>
        <source>SC0..SC9</source>
        <translation>SC0..SC9</translation>
    </message>
    <message>
        <source>Bar height, 20 to 200 (default 100).</source>
        <translation>Balkenhöhe, 20 bis 200 (Vorgabe 100).</translation>
    </message>
    <message>
        <source>PERCENT</source>
        <translation>PROZENT</translation>
    </message>
    <message>
        <source>Counter-clockwise turn (default 0).</source>
        <translation>Drehung gegen den Uhrzeigersinn (Vorgabe 0).</translation>
    </message>
    <message>
        <source>0|90|180|270</source>
        <translation>0|90|180|270</translation>
    </message>
    <message>
        <source>Exact physical module widths instead of whole pixels.</source>
        <translation>Genaue physische Modulbreiten statt ganzer Pixel.</translation>
    </message>
    <message>
        <source>Every bar one pixel narrower.</source>
        <translation>Jeder Balken ein Pixel schmaler.</translation>
    </message>
    <message>
        <source>Half the module width.</source>
        <translation>Halbe Modulbreite.</translation>
    </message>
    <message>
        <source>No human-readable line.</source>
        <translation>Keine Klarschriftzeile.</translation>
    </message>
    <message>
        <source>Text size, 20 to 200 (default 100).</source>
        <translation>Textgröße, 20 bis 200 (Vorgabe 100).</translation>
    </message>
    <message>
        <source>Encodes one barcode: prints its code text and module sequence (--modules) and/or draws it
into an image file (--out).</source>
        <translation>Codiert einen Barcode: gibt seinen Codetext und seine Modulfolge aus (--modules) und/oder zeichnet
ihn in eine Bilddatei (--out).</translation>
    </message>
    <message>
        <source>Usage: vantor-barcode --type TYPE --data TEXT (--modules | --out FILE) [options]</source>
        <translation>Aufruf: vantor-barcode --type TYP --data TEXT (--modules | --out DATEI) [Optionen]</translation>
    </message>
    <message>
        <source>Exit status: 0 done, 1 data refused or file not written, 2 bad command line or option value.
</source>
        <translation>Rückgabewert: 0 erledigt, 1 Daten abgelehnt oder Datei nicht geschrieben, 2 fehlerhafte Befehlszeile oder Optionswert.
</translation>
    </message>
    <message>
        <source>K</source>
        <translation>K</translation>
    </message>
    <message>
        <source>Calibration: move everything MM millimetres right (-20 to 20; negative: left).</source>
        <translation>Kalibrierung: alles um MM Millimeter nach rechts verschieben (-20 bis 20; negativ: nach links).</translation>
    </message>
    <message>
        <source>MM</source>
        <translation>MM</translation>
    </message>
    <message>
        <source>Calibration: move everything MM millimetres down (-20 to 20; negative: up).</source>
        <translation>Kalibrierung: alles um MM Millimeter nach unten verschieben (-20 bis 20; negativ: nach oben).</translation>
    </message>
    <message>
        <source>Calibration: stretch positions across by S, 0.9 to 1.1.</source>
        <translation>Kalibrierung: Positionen waagrecht um den Faktor S strecken, 0,9 bis 1,1.</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>Calibration: stretch positions down by S, 0.9 to 1.1.</source>
        <translation>Kalibrierung: Positionen senkrecht um den Faktor S strecken, 0,9 bis 1,1.</translation>
    </message>
    <message>
        <source>Print the printer calibration page instead of labels.</source>
        <translation>Statt Etiketten die Kalibrierseite des Druckers drucken.</translation>
    </message>
    <message>
        <source>Print LTO Ultrium labels: --media-id, --serial, --count or --last, --template, --palette.</source>
        <translation>LTO-Ultrium-Etiketten drucken: --media-id, --serial, --count oder --last, --template, --palette.</translation>
    </message>
    <message>
        <source>LTO: the media ID, L1..L9, LT..LZ, M8, CU or any two characters A-Z, 0-9.</source>
        <translation>LTO: die Medienkennung, L1..L9, LT..LZ, M8, CU oder zwei beliebige Zeichen A-Z, 0-9.</translation>
    </message>
    <message>
        <source>ID</source>
        <translation>ID</translation>
    </message>
    <message>
        <source>The number of labels, LTO 1 to 1000000, DLT 1 to 30000 from the start label, instead of --sheets (default: one sheet).</source>
        <translation>Die Anzahl der Etiketten, LTO 1 bis 1000000, DLT 1 bis 30000 ab dem Etikett von --start-label, statt --sheets (Vorgabe: ein Bogen).</translation>
    </message>
    <message>
        <source>LTO: the last volser of the run, instead of --count.</source>
        <translation>LTO: die letzte Volser der Folge, statt --count.</translation>
    </message>
    <message>
        <source>VOLSER</source>
        <translation>VOLSER</translation>
    </message>
    <message>
        <source>LTO: the sheet template: %1 (default lto-a4-2x15), or one of the user&apos;s; see --list-templates.</source>
        <translation>LTO: die Bogenvorlage: %1 (Vorgabe lto-a4-2x15) oder eine eigene des Benutzers; siehe --list-templates.</translation>
    </message>
    <message>
        <source>LTO: the cell colours: %1 (default lto; a colour scheme&apos;s caption names it too).</source>
        <translation>LTO: die Zellenfarben: %1 (Vorgabe lto; auch die Beschriftung eines Farbschemas wählt es).</translation>
    </message>
    <message>
        <source>List the sheet templates, one name a line.</source>
        <translation>Die Bogenvorlagen auflisten, ein Name je Zeile.</translation>
    </message>
    <message>
        <source>Print a sheet template as JSON: its page and its labels in fill order.</source>
        <translation>Eine Bogenvorlage als JSON ausgeben: ihre Seite und ihre Etiketten in Füllreihenfolge.</translation>
    </message>
    <message>
        <source>Start the first sheet at label K, 1 to 30 (row by row; with --lto 1 to the template&apos;s labels a page, in its fill order); the labels before it stay blank.</source>
        <translation>Den ersten Bogen bei Etikett K beginnen, 1 bis 30 (zeilenweise; mit --lto 1 bis zur Zahl der Etiketten je Seite der Vorlage, in ihrer Füllreihenfolge); die Etiketten davor bleiben leer.</translation>
    </message>
    <message>
        <source>The print journal: a file, or postgresql://USER@HOST[:PORT]/DATABASE (default: the one in the settings, else journal.sqlite in the user&apos;s data folder).</source>
        <translation>Das Druckjournal: eine Datei oder postgresql://BENUTZER@HOST[:PORT]/DATENBANK (Vorgabe: das in den Einstellungen, sonst journal.sqlite im Datenordner des Benutzers).</translation>
    </message>
    <message>
        <source>PATH|URL</source>
        <translation>PFAD|URL</translation>
    </message>
    <message>
        <source>Print without the journal: the serials are neither checked nor recorded (said on stderr).</source>
        <translation>Ohne Journal drucken: die Nummern werden weder geprüft noch eingetragen (wird auf stderr gemeldet).</translation>
    </message>
    <message>
        <source>Print serials the journal holds as printed again, deliberately (recorded as a reprint).</source>
        <translation>Nummern, die das Journal als gedruckt führt, bewusst noch einmal drucken (als Nachdruck eingetragen).</translation>
    </message>
    <message>
        <source>Make a new print journal: a file whose folder exists, or the journal&apos;s tables in an empty PostgreSQL database. A journal given with --journal or kept in the settings is never made otherwise.</source>
        <translation>Ein neues Druckjournal anlegen: eine Datei in einem vorhandenen Ordner oder die Tabellen des Journals in einer leeren PostgreSQL-Datenbank. Ein mit --journal angegebenes oder in den Einstellungen gespeichertes Journal wird sonst nie angelegt.</translation>
    </message>
    <message>
        <source>End job JOB as interrupted, freeing the serials it reserved: for a job shown running elsewhere whose program is known to be gone.</source>
        <translation>Den Auftrag AUFTRAG als unterbrochen beenden und seine reservierten Nummern freigeben: für einen anderswo laufenden Auftrag, dessen Programm sicher beendet ist.</translation>
    </message>
    <message>
        <source>JOB</source>
        <translation>AUFTRAG</translation>
    </message>
    <message>
        <source>List the journal&apos;s jobs, newest first, one a line (with --serial: the jobs holding it).</source>
        <translation>Die Aufträge des Journals auflisten, die neuesten zuerst, einer je Zeile (mit --serial: die Aufträge mit dieser Nummer).</translation>
    </message>
    <message>
        <source>Usage: vantor [--print-pdf FILE | --print-trace FILE | --printer NAME] [options]
       vantor --lto --media-id ID --serial VOLSER [--count N | --last VOLSER]
              [--template NAME] [--palette NAME | --no-colour] [--dpi N]
              [--start-label K] [--offset-x MM --offset-y MM --scale-x S --scale-y S]
              (--print-pdf FILE | --print-trace FILE | --printer NAME)
       vantor --lto --calibration-page [--template NAME]
              (--print-pdf FILE | --print-trace FILE | --printer NAME)
       vantor --list-templates | --describe-template NAME
       vantor --journal-list [--serial S] [--journal PATH|URL]
       vantor --journal-init PATH|URL | --journal-release JOB [--journal PATH|URL]</source>
        <translation>Aufruf: vantor [--print-pdf DATEI | --print-trace DATEI | --printer NAME] [Optionen]
        vantor --lto --media-id ID --serial VOLSER [--count N | --last VOLSER]
               [--template NAME] [--palette NAME | --no-colour] [--dpi N]
               [--start-label K] [--offset-x MM --offset-y MM --scale-x S --scale-y S]
               (--print-pdf DATEI | --print-trace DATEI | --printer NAME)
        vantor --lto --calibration-page [--template NAME]
               (--print-pdf DATEI | --print-trace DATEI | --printer NAME)
        vantor --list-templates | --describe-template NAME
        vantor --journal-list [--serial S] [--journal PFAD|URL]
        vantor --journal-init PFAD|URL | --journal-release AUFTRAG [--journal PFAD|URL]</translation>
    </message>
    <message>
        <source>Exit status: 0 done, 1 refused or failed (the journal&apos;s faults included), 2 bad command line
(and with --lto: an unknown template, palette or media ID), 3 refused by the print journal:
serials printed before (see --reprint) or held by a job still running.
</source>
        <translation>Rückgabewert: 0 erledigt, 1 abgelehnt oder fehlgeschlagen (auch Fehler des Journals), 2 fehlerhafte
Befehlszeile (und mit --lto: unbekannte Vorlage, Palette oder Medienkennung), 3 vom Druckjournal
abgelehnt: Nummern schon gedruckt (siehe --reprint) oder von einem laufenden Auftrag belegt.
</translation>
    </message>
    <message>
        <source>The address and port to serve on (default 127.0.0.1:8631); any other than loopback needs --tokens.</source>
        <translation>Die Adresse und der Port des Dienstes (Vorgabe 127.0.0.1:8631); jede andere als eine Loopback-Adresse verlangt --tokens.</translation>
    </message>
    <message>
        <source>HOST:PORT</source>
        <translation>HOST:PORT</translation>
    </message>
    <message>
        <source>The token file: one name:SHA-256 line a person.</source>
        <translation>Die Token-Datei: eine Zeile name:SHA-256 je Person.</translation>
    </message>
    <message>
        <source>Add a token for NAME to the --tokens file and print it once on stdout; then exit.</source>
        <translation>Ein Token für NAME in die Datei von --tokens eintragen und es einmalig auf stdout ausgeben; dann beenden.</translation>
    </message>
    <message>
        <source>Serve HTTPS with this PEM certificate (with --tls-key).</source>
        <translation>HTTPS mit diesem PEM-Zertifikat anbieten (mit --tls-key).</translation>
    </message>
    <message>
        <source>The certificate&apos;s PEM private key.</source>
        <translation>Der private PEM-Schlüssel des Zertifikats.</translation>
    </message>
    <message>
        <source>The system printers the service offers (default: all of them).</source>
        <translation>Die Systemdrucker, die der Dienst anbietet (Vorgabe: alle).</translation>
    </message>
    <message>
        <source>NAME,...</source>
        <translation>NAME,...</translation>
    </message>
    <message>
        <source>The most labels one job may hold (default 30000).</source>
        <translation>Die Höchstzahl der Etiketten in einem Auftrag (Vorgabe 30000).</translation>
    </message>
    <message>
        <source>Usage: vantor serve [--listen HOST:PORT] [--journal PATH|URL] [--tokens FILE]
                    [--tls-cert FILE --tls-key FILE] [--printers NAME,...]
                    [--max-labels N]
       vantor serve --add-token NAME --tokens FILE</source>
        <translation>Aufruf: vantor serve [--listen HOST:PORT] [--journal PFAD|URL] [--tokens DATEI]
                     [--tls-cert DATEI --tls-key DATEI] [--printers NAME,...]
                     [--max-labels N]
        vantor serve --add-token NAME --tokens DATEI</translation>
    </message>
</context>
<context>
    <name>vantor::MessageBox</name>
    <message>
        <source>Warning</source>
        <translation>Warnung</translation>
    </message>
</context>
<context>
    <name>vantor::PrintJob</name>
    <message>
        <source>Cannot start printing on &quot;%1&quot;</source>
        <translation>Der Druck auf „%1“ kann nicht beginnen</translation>
    </message>
    <message>
        <source>Printing on &quot;%1&quot; failed</source>
        <translation>Der Druck auf „%1“ ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Print label outlines</source>
        <translation>Umrisse der Etiketten drucken</translation>
    </message>
    <message>
        <source>Sheets</source>
        <translation>Bögen</translation>
    </message>
    <message>
        <source>Start at label</source>
        <translation>Beginnen bei Etikett</translation>
    </message>
    <message>
        <source>Labels</source>
        <translation>Etiketten</translation>
    </message>
    <message>
        <source>The first page starts at this label, in the order the labels are filled; the labels before it stay blank. Later pages start at label 1.</source>
        <translation>Die erste Seite beginnt bei diesem Etikett, in der Reihenfolge, in der die Etiketten gefüllt werden; die Etiketten davor bleiben leer. Weitere Seiten beginnen bei Etikett 1.</translation>
    </message>
    <message>
        <source>One copy: print the job again for another, so the print journal records it.</source>
        <translation>Eine Kopie: für jede weitere den Auftrag noch einmal drucken, damit das Druckjournal sie einträgt.</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>This job prints %1 pages. Print them?</source>
        <translation>Dieser Auftrag druckt %1 Seiten. Sollen sie gedruckt werden?</translation>
    </message>
    <message>
        <source>The print queue &quot;%1&quot; refuses jobs: %2</source>
        <translation>Die Druckwarteschlange „%1“ nimmt keine Aufträge an: %2</translation>
    </message>
    <message>
        <source>The print queue &quot;%1&quot; did not take the job: %2</source>
        <translation>Die Druckwarteschlange „%1“ hat den Auftrag nicht angenommen: %2</translation>
    </message>
</context>
<context>
    <name>vantor::SerialRules</name>
    <message>
        <source>the serial needs six characters, not %1</source>
        <translation>Die Seriennummer braucht sechs Zeichen, nicht %1</translation>
    </message>
    <message>
        <source>%1 at position %2: the first three characters must be A-Z, 0-9 or a space</source>
        <translation>%1 an Stelle %2: Die ersten drei Zeichen müssen A-Z, 0-9 oder ein Leerzeichen sein</translation>
    </message>
    <message>
        <source>%1 at position %2: the last three characters must be digits</source>
        <translation>%1 an Stelle %2: Die letzten drei Zeichen müssen Ziffern sein</translation>
    </message>
</context>
<context>
    <name>vantor::TAboutBox</name>
    <message>
        <source>About Vantor</source>
        <translation>Über Vantor</translation>
    </message>
    <message>
        <source>Version %1</source>
        <translation>Version %1</translation>
    </message>
    <message>
        <source>Prints barcode labels for data-tape cartridges.</source>
        <translation>Druckt Barcode-Etiketten für Datenbandkassetten.</translation>
    </message>
    <message>
        <source>Licence: not declared yet</source>
        <translation>Lizenz: noch nicht festgelegt</translation>
    </message>
    <message>
        <source>Licence: %1</source>
        <translation>Lizenz: %1</translation>
    </message>
    <message>
        <source>Vantor uses:</source>
        <translation>Vantor verwendet:</translation>
    </message>
    <message>
        <source>Liberation fonts</source>
        <translation>Liberation-Schriften</translation>
    </message>
    <message>
        <source>GNU C++ library and GCC run-time library</source>
        <translation>GNU-C++-Bibliothek und GCC-Laufzeitbibliothek</translation>
    </message>
    <message>
        <source>GNU C library</source>
        <translation>GNU-C-Bibliothek</translation>
    </message>
    <message>
        <source>Qt %1 (Core, GUI, Widgets, Print Support, SQL)</source>
        <translation>Qt %1 (Core, GUI, Widgets, Print Support, SQL)</translation>
    </message>
    <message>
        <source>SQLite (the print journal on this computer)</source>
        <translation>SQLite (das Druckjournal auf diesem Rechner)</translation>
    </message>
    <message>
        <source>PostgreSQL client library (a shared print journal)</source>
        <translation>PostgreSQL-Clientbibliothek (ein gemeinsames Druckjournal)</translation>
    </message>
    <message>
        <source>JSON for Modern C++ (sheet templates)</source>
        <translation>JSON for Modern C++ (Bogenvorlagen)</translation>
    </message>
</context>
<context>
    <name>vantor::TCalibrationDialog</name>
    <message>
        <source>Printer Calibration</source>
        <translation>Druckerkalibrierung</translation>
    </message>
    <message>
        <source>Printer</source>
        <translation>Drucker</translation>
    </message>
    <message>
        <source>Print calibration page</source>
        <translation>Kalibrierseite drucken</translation>
    </message>
    <message>
        <source>Measured on the calibration page (mm)</source>
        <translation>Auf der Kalibrierseite gemessen (mm)</translation>
    </message>
    <message>
        <source>A from the left edge</source>
        <translation>A vom linken Rand</translation>
    </message>
    <message>
        <source>A from the top edge</source>
        <translation>A vom oberen Rand</translation>
    </message>
    <message>
        <source>A to B (across)</source>
        <translation>A bis B (waagrecht)</translation>
    </message>
    <message>
        <source>A to C (down)</source>
        <translation>A bis C (senkrecht)</translation>
    </message>
    <message>
        <source>Compute</source>
        <translation>Berechnen</translation>
    </message>
    <message>
        <source>Correction for &quot;%1&quot;</source>
        <translation>Korrektur für „%1“</translation>
    </message>
    <message>
        <source>Offset across (mm)</source>
        <translation>Versatz waagrecht (mm)</translation>
    </message>
    <message>
        <source>Offset down (mm)</source>
        <translation>Versatz senkrecht (mm)</translation>
    </message>
    <message>
        <source>Scale across</source>
        <translation>Maßstab waagrecht</translation>
    </message>
    <message>
        <source>Scale down</source>
        <translation>Maßstab senkrecht</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>No correction kept.</source>
        <translation>Keine Korrektur gespeichert.</translation>
    </message>
    <message>
        <source>The kept correction.</source>
        <translation>Die gespeicherte Korrektur.</translation>
    </message>
    <message>
        <source>%1: &quot;%2&quot; is not a number.</source>
        <translation>%1: „%2“ ist keine Zahl.</translation>
    </message>
    <message>
        <source>Offset across</source>
        <translation>Versatz waagrecht</translation>
    </message>
    <message>
        <source>Offset down</source>
        <translation>Versatz senkrecht</translation>
    </message>
    <message>
        <source>The calibration page went to &quot;%1&quot;. Measure it and enter the values.</source>
        <translation>Die Kalibrierseite ging an „%1“. Messen Sie sie aus und geben Sie die Werte ein.</translation>
    </message>
    <message>
        <source>A to B</source>
        <translation>A bis B</translation>
    </message>
    <message>
        <source>A to C</source>
        <translation>A bis C</translation>
    </message>
    <message>
        <source>These measurements give a correction out of range. %1 Measure again on a page printed without correction.</source>
        <translation>Diese Messwerte ergeben eine Korrektur außerhalb des zulässigen Bereichs. %1 Messen Sie erneut auf einer ohne Korrektur gedruckten Seite.</translation>
    </message>
    <message>
        <source>Computed; Save keeps it for &quot;%1&quot;.</source>
        <translation>Berechnet; Speichern behält sie für „%1“.</translation>
    </message>
    <message>
        <source>Not saved yet; Save keeps it for &quot;%1&quot;.</source>
        <translation>Noch nicht gespeichert; Speichern behält sie für „%1“.</translation>
    </message>
    <message>
        <source>Nothing was saved.</source>
        <translation>Es wurde nichts gespeichert.</translation>
    </message>
    <message>
        <source>Saved for &quot;%1&quot;.</source>
        <translation>Für „%1“ gespeichert.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; prints without correction.</source>
        <translation>„%1“ druckt ohne Korrektur.</translation>
    </message>
    <message>
        <source>No printer named &quot;%1&quot;.</source>
        <translation>Kein Drucker namens „%1“.</translation>
    </message>
</context>
<context>
    <name>vantor::TConflictDialog</name>
    <message>
        <source>Printed before</source>
        <translation>Schon gedruckt</translation>
    </message>
    <message>
        <source>Nothing has been printed yet. Print these serials again deliberately? The job is recorded in the journal as a reprint.</source>
        <translation>Es wurde noch nichts gedruckt. Diese Nummern bewusst noch einmal drucken? Der Auftrag wird im Journal als Nachdruck eingetragen.</translation>
    </message>
    <message>
        <source>A job still running holds some of these serials, so this job cannot print now. Nothing was printed.</source>
        <translation>Ein noch laufender Auftrag belegt einige dieser Nummern, daher kann dieser Auftrag jetzt nicht drucken. Es wurde nichts gedruckt.</translation>
    </message>
    <message>
        <source>Some serials of this job are in the print journal already:</source>
        <translation>Einige Nummern dieses Auftrags stehen schon im Druckjournal:</translation>
    </message>
    <message>
        <source>&amp;Reprint</source>
        <translation>&amp;Nachdrucken</translation>
    </message>
</context>
<context>
    <name>vantor::TJournalWindow</name>
    <message>
        <source>reserved</source>
        <translation>reserviert</translation>
    </message>
    <message>
        <source>printing</source>
        <translation>wird gedruckt</translation>
    </message>
    <message>
        <source>printed</source>
        <translation>gedruckt</translation>
    </message>
    <message>
        <source>failed</source>
        <translation>fehlgeschlagen</translation>
    </message>
    <message>
        <source>cancelled</source>
        <translation>abgebrochen</translation>
    </message>
    <message>
        <source>interrupted</source>
        <translation>unterbrochen</translation>
    </message>
    <message>
        <source>Print Journal</source>
        <translation>Druckjournal</translation>
    </message>
    <message>
        <source>Journal</source>
        <translation>Journal</translation>
    </message>
    <message>
        <source>A file, or postgresql://user@host:port/database for a journal the team shares. Empty: the file in your data folder. The password is asked for, never kept.</source>
        <translation>Eine Datei oder postgresql://benutzer@host:port/datenbank für ein Journal, das das Team teilt. Leer: die Datei in Ihrem Datenordner. Das Passwort wird abgefragt, nie gespeichert.</translation>
    </message>
    <message>
        <source>&amp;Use</source>
        <translation>&amp;Verwenden</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>any</source>
        <translation>alle</translation>
    </message>
    <message>
        <source>Started from</source>
        <translation>Begonnen vom</translation>
    </message>
    <message>
        <source>&amp;Search</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>Serial:</source>
        <translation>Nummer:</translation>
    </message>
    <message>
        <source>to</source>
        <translation>bis</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>Host</source>
        <translation>Rechner</translation>
    </message>
    <message>
        <source>Family</source>
        <translation>Familie</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Serials</source>
        <translation>Nummern</translation>
    </message>
    <message>
        <source>Output</source>
        <translation>Ausgabe</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>Reprint</source>
        <translation>Nachdruck</translation>
    </message>
    <message>
        <source>Reprint labels of the selected job</source>
        <translation>Etiketten des gewählten Auftrags nachdrucken</translation>
    </message>
    <message>
        <source>&amp;Reprint...</source>
        <translation>&amp;Nachdrucken …</translation>
    </message>
    <message>
        <source>From serial:</source>
        <translation>Ab Nummer:</translation>
    </message>
    <message>
        <source>Labels:</source>
        <translation>Etiketten:</translation>
    </message>
    <message>
        <source>Start at label:</source>
        <translation>Beginnen bei Etikett:</translation>
    </message>
    <message>
        <source>Sheet:</source>
        <translation>Bogen:</translation>
    </message>
    <message>
        <source>The journal location was not kept: %1</source>
        <translation>Der Ort des Journals wurde nicht gespeichert: %1</translation>
    </message>
    <message>
        <source>&apos;%1&apos; is not a volume serial.</source>
        <translation>„%1“ ist keine Datenträgernummer.</translation>
    </message>
    <message>
        <source>Re&amp;lease job...</source>
        <translation>Auftrag &amp;freigeben …</translation>
    </message>
    <message>
        <source>End the selected job, running elsewhere, as interrupted and free the serials it reserved: only when its program is known to be gone.</source>
        <translation>Den gewählten, anderswo laufenden Auftrag als unterbrochen beenden und seine reservierten Nummern freigeben: nur wenn sein Programm sicher beendet ist.</translation>
    </message>
    <message>
        <source>There is no print journal at %1. Make a new one there?</source>
        <translation>Unter %1 gibt es kein Druckjournal. Dort ein neues anlegen?</translation>
    </message>
    <message>
        <source>running elsewhere</source>
        <translation>läuft anderswo</translation>
    </message>
    <message>
        <source>Job %1 of %2 on %3 is running elsewhere. Release it only when its program is known to be gone: its reserved serials are freed, and labels it may have printed stay recorded. Release it?</source>
        <translation>Auftrag %1 von %2 auf %3 läuft anderswo. Nur freigeben, wenn sein Programm sicher beendet ist: seine reservierten Nummern werden frei, möglicherweise gedruckte Etiketten bleiben eingetragen. Freigeben?</translation>
    </message>
    <message>
        <source>Released: %1</source>
        <translation>Freigegeben: %1</translation>
    </message>
    <message>
        <source>The journal location is kept; in use from now on: %1</source>
        <translation>Der Ort des Journals ist gespeichert; ab jetzt in Gebrauch: %1</translation>
    </message>
    <message>
        <source>In use: %1</source>
        <translation>In Gebrauch: %1</translation>
    </message>
    <message>
        <source>Unreadable rows:</source>
        <translation>Unlesbare Zeilen:</translation>
    </message>
    <message>
        <source>The print journal cannot be read: %1</source>
        <translation>Das Druckjournal kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>maybe %1</source>
        <translation>vielleicht %1</translation>
    </message>
    <message>
        <source>reserved %1</source>
        <translation>reserviert %1</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>Choose a job in the list first.</source>
        <translation>Wählen Sie zuerst einen Auftrag in der Liste.</translation>
    </message>
    <message>
        <source>%1 labels from %2 were not printed by this job; a reprint takes serials the job printed.</source>
        <translation>%1 Etiketten ab %2 wurden nicht von diesem Auftrag gedruckt; ein Nachdruck nimmt Nummern, die der Auftrag gedruckt hat.</translation>
    </message>
    <message>
        <source>The job&apos;s media &apos;%1&apos; is not one this program prints.</source>
        <translation>Das Medium „%1“ des Auftrags druckt dieses Programm nicht.</translation>
    </message>
    <message>
        <source>Reprinted %1 from label %2.</source>
        <translation>%1 ab Etikett %2 nachgedruckt.</translation>
    </message>
</context>
<context>
    <name>vantor::TLtoPreview</name>
    <message>
        <source>Nothing to show while a field is at fault.</source>
        <translation>Keine Vorschau, solange ein Feld fehlerhaft ist.</translation>
    </message>
</context>
<context>
    <name>vantor::TLtoWindow</name>
    <message>
        <source>1 label</source>
        <translation>1 Etikett</translation>
    </message>
    <message>
        <source>%1 labels</source>
        <translation>%1 Etiketten</translation>
    </message>
    <message>
        <source>on 1 sheet</source>
        <translation>auf 1 Bogen</translation>
    </message>
    <message>
        <source>on %1 sheets</source>
        <translation>auf %1 Bögen</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1, %2 to %3</source>
        <translation>%1, %2 bis %3</translation>
    </message>
    <message>
        <source>%1 × %2 mm</source>
        <translation>%1 × %2 mm</translation>
    </message>
    <message>
        <source>Roll, %1</source>
        <translation>Rolle, %1</translation>
    </message>
    <message>
        <source>not usable: %1</source>
        <translation>nicht verwendbar: %1</translation>
    </message>
    <message>
        <source>LTO Ultrium labels</source>
        <translation>LTO-Ultrium-Etiketten</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Daten</translation>
    </message>
    <message>
        <source>WORM</source>
        <translation>WORM</translation>
    </message>
    <message>
        <source>Type M</source>
        <translation>Typ M</translation>
    </message>
    <message>
        <source>Cleaning</source>
        <translation>Reinigung</translation>
    </message>
    <message>
        <source>Custom</source>
        <translation>Eigene</translation>
    </message>
    <message>
        <source>LTO-%1 WORM</source>
        <translation>LTO-%1 WORM</translation>
    </message>
    <message>
        <source>LTO-%1 cartridge initialised as Type M</source>
        <translation>LTO-%1-Kassette, als Typ M initialisiert</translation>
    </message>
    <message>
        <source>Universal cleaning cartridge</source>
        <translation>Universal-Reinigungskassette</translation>
    </message>
    <message>
        <source>Two characters of your own</source>
        <translation>Zwei eigene Zeichen</translation>
    </message>
    <message>
        <source>A media ID the list does not hold: two characters, A-Z and 0-9.</source>
        <translation>Eine Medienkennung, die die Liste nicht enthält: zwei Zeichen, A-Z und 0-9.</translation>
    </message>
    <message>
        <source>Media ID</source>
        <translation>Medienkennung</translation>
    </message>
    <message>
        <source>Six characters, A-Z and 0-9; the digits at the end count up.</source>
        <translation>Sechs Zeichen, A-Z und 0-9; die Ziffern am Ende zählen hoch.</translation>
    </message>
    <message>
        <source>First volser</source>
        <translation>Erste Volser</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Last volser</source>
        <translation>Letzte Volser</translation>
    </message>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>Not offered: %1 (point here for why)</source>
        <translation>Nicht angeboten: %1 (Grund im Tooltip)</translation>
    </message>
    <message>
        <source>No colour</source>
        <translation>Keine Farbe</translation>
    </message>
    <message>
        <source>LTO (the colours common to LTO labels)</source>
        <translation>LTO (die auf LTO-Etiketten üblichen Farben)</translation>
    </message>
    <message>
        <source>Palette</source>
        <translation>Palette</translation>
    </message>
    <message>
        <source>The first page starts at this label, in the order the template fills them; the labels before it stay blank, so a sheet used in part can be fed again.</source>
        <translation>Die erste Seite beginnt bei diesem Etikett, in der Reihenfolge, in der die Vorlage sie füllt; die Etiketten davor bleiben leer, sodass ein angebrochener Bogen wieder eingelegt werden kann.</translation>
    </message>
    <message>
        <source>Start at label</source>
        <translation>Beginnen bei Etikett</translation>
    </message>
    <message>
        <source>One label, true size</source>
        <translation>Ein Etikett in Originalgröße</translation>
    </message>
    <message>
        <source>First sheet</source>
        <translation>Erster Bogen</translation>
    </message>
    <message>
        <source>Pre&amp;view...</source>
        <translation>&amp;Vorschau …</translation>
    </message>
    <message>
        <source>&amp;Export PDF...</source>
        <translation>PDF &amp;exportieren …</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken …</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>of %1</source>
        <translation>von %1</translation>
    </message>
    <message>
        <source>No template is on offer.</source>
        <translation>Es wird keine Vorlage angeboten.</translation>
    </message>
    <message>
        <source>Choose a palette.</source>
        <translation>Wählen Sie eine Palette.</translation>
    </message>
    <message>
        <source>Printed %1 to %2.</source>
        <translation>%1 bis %2 gedruckt.</translation>
    </message>
    <message>
        <source>No volser follows %1 without changing the characters before its digits; type the next first volser.</source>
        <translation>Auf %1 folgt keine Volser, ohne die Zeichen vor ihren Ziffern zu ändern; geben Sie die nächste erste Volser ein.</translation>
    </message>
    <message>
        <source>The next run starts at %1.</source>
        <translation>Die nächste Folge beginnt bei %1.</translation>
    </message>
    <message>
        <source>Export PDF</source>
        <translation>PDF exportieren</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>PDF-Dateien (*.pdf)</translation>
    </message>
    <message>
        <source>Written to %1.</source>
        <translation>In %1 geschrieben.</translation>
    </message>
    <message>
        <source>The settings file &quot;%1&quot; cannot be read; the LTO window starts with its defaults.</source>
        <translation>Die Einstellungsdatei „%1“ kann nicht gelesen werden; das LTO-Fenster beginnt mit seinen Vorgaben.</translation>
    </message>
    <message>
        <source>The media ID kept in the settings, &quot;%1&quot;, is not one; %2 is used.</source>
        <translation>Die in den Einstellungen gespeicherte Medienkennung „%1“ ist keine; %2 wird verwendet.</translation>
    </message>
    <message>
        <source>The template kept in the settings, &quot;%1&quot;, is not on offer; %2 is used.</source>
        <translation>Die in den Einstellungen gespeicherte Vorlage „%1“ wird nicht angeboten; %2 wird verwendet.</translation>
    </message>
    <message>
        <source>The palette kept in the settings, &quot;%1&quot;, is not one; %2 is used.</source>
        <translation>Die in den Einstellungen gespeicherte Palette „%1“ ist keine; %2 wird verwendet.</translation>
    </message>
</context>
<context>
    <name>vantor::TMainWindow</name>
    <message>
        <source>Error in Sequence Number</source>
        <translation>Fehler in der Folgenummer</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken …</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Labels</source>
        <translation>&amp;Etiketten</translation>
    </message>
    <message>
        <source>&amp;LTO Ultrium labels...</source>
        <translation>&amp;LTO-Ultrium-Etiketten …</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;About Vantor</source>
        <translation>Ü&amp;ber Vantor</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau …</translation>
    </message>
    <message>
        <source>Printer &amp;Calibration...</source>
        <translation>Drucker&amp;kalibrierung …</translation>
    </message>
    <message>
        <source>Print &amp;Journal...</source>
        <translation>Druck&amp;journal …</translation>
    </message>
</context>
<context>
    <name>vantor::TWindowJournal</name>
    <message>
        <source>The print journal cannot be used, so nothing was printed.

%1</source>
        <translation>Das Druckjournal kann nicht verwendet werden, daher wurde nichts gedruckt.

%1</translation>
    </message>
    <message>
        <source>The labels were printed, but the print journal could not record the job&apos;s end:

%1</source>
        <translation>Die Etiketten wurden gedruckt, aber das Druckjournal konnte das Ende des Auftrags nicht eintragen:

%1</translation>
    </message>
    <message>
        <source>These print jobs were interrupted (the program ended while they printed). Check the labels they may have printed:</source>
        <translation>Diese Druckaufträge wurden unterbrochen (das Programm endete während des Drucks). Prüfen Sie die Etiketten, die sie gedruckt haben könnten:</translation>
    </message>
    <message>
        <source>Print journal</source>
        <translation>Druckjournal</translation>
    </message>
    <message>
        <source>Password for the print journal %1 (it is not kept):</source>
        <translation>Passwort für das Druckjournal %1 (es wird nicht gespeichert):</translation>
    </message>
</context>
<context>
    <name>vantor::Web</name>
    <message>
        <source>DLT sheets</source>
        <translation>DLT-Bögen</translation>
    </message>
    <message>
        <source>Maker</source>
        <translation>Hersteller</translation>
    </message>
    <message>
        <source>Media kind</source>
        <translation>Medienart</translation>
    </message>
    <message>
        <source>First serial</source>
        <translation>Erste Nummer</translation>
    </message>
    <message>
        <source>Sheets</source>
        <translation>Bögen</translation>
    </message>
    <message>
        <source>Rotated sequence</source>
        <translation>Gedrehte Folge</translation>
    </message>
    <message>
        <source>Colored sequence</source>
        <translation>Farbige Folge</translation>
    </message>
    <message>
        <source>Colour scheme</source>
        <translation>Farbschema</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Download PDF</source>
        <translation>PDF herunterladen</translation>
    </message>
    <message>
        <source>Print on</source>
        <translation>Drucken auf</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Suchen</translation>
    </message>
    <message>
        <source>Token</source>
        <translation>Token</translation>
    </message>
    <message>
        <source>Your token, kept in this browser tab only.</source>
        <translation>Ihr Token, nur in diesem Browser-Tab gespeichert.</translation>
    </message>
    <message>
        <source>Some serials of this job are in the print journal already:</source>
        <translation>Einige Nummern dieses Auftrags stehen schon im Druckjournal:</translation>
    </message>
    <message>
        <source>Reprint</source>
        <translation>Nachdrucken</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Printed job %1.</source>
        <translation>Auftrag %1 gedruckt.</translation>
    </message>
    <message>
        <source>Job %1: the PDF is downloaded.</source>
        <translation>Auftrag %1: Das PDF ist heruntergeladen.</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>This service offers no printer.</source>
        <translation>Dieser Dienst bietet keinen Drucker an.</translation>
    </message>
    <message>
        <source>Reprint these labels</source>
        <translation>Diese Etiketten nachdrucken</translation>
    </message>
</context>
<context>
    <name>vantor::journal</name>
    <message>
        <source>%1 to %2</source>
        <translation>%1 bis %2</translation>
    </message>
    <message>
        <source>printer %1</source>
        <translation>Drucker %1</translation>
    </message>
    <message>
        <source>the PDF file %1</source>
        <translation>die PDF-Datei %1</translation>
    </message>
    <message>
        <source>the trace file %1</source>
        <translation>die Trace-Datei %1</translation>
    </message>
</context>
</TS>
