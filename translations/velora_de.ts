<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
</context>
<context>
    <name>velora</name>
    <message>
        <source>Adding the starter library...</source>
        <translation>Startbibliothek wird hinzugefügt...</translation>
    </message>
    <message>
        <source>Turns drawings into colouring templates and colours them with textures.</source>
        <translation>Verwandelt Zeichnungen in Ausmalvorlagen und malt sie mit Texturen aus.</translation>
    </message>
    <message>
        <source>files</source>
        <translation>Dateien</translation>
    </message>
    <message>
        <source>Designs (.vld) and templates (.mtp) to open, drawings (.dxf, .wmf, .emf) to import as new templates.</source>
        <translation>Zu öffnende Entwürfe (.vld) und Vorlagen (.mtp), als neue Vorlagen zu importierende Zeichnungen (.dxf, .wmf, .emf).</translation>
    </message>
    <message>
        <source>[FILE...]</source>
        <translation>[DATEI...]</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Ansicht</translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation>&amp;Vorlage</translation>
    </message>
    <message>
        <source>The design has nothing to export yet: select a template for it first.</source>
        <translation>Der Entwurf enthält noch nichts zum Exportieren: Wählen Sie zuerst eine Vorlage dafür aus.</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Exportieren...</translation>
    </message>
    <message>
        <source>cannot be written: there is no folder %1</source>
        <translation>kann nicht geschrieben werden: Es gibt keinen Ordner %1</translation>
    </message>
    <message>
        <source>Rotate 90°</source>
        <translation>Um 90° drehen</translation>
    </message>
    <message>
        <source>Rotate 180°</source>
        <translation>Um 180° drehen</translation>
    </message>
    <message>
        <source>Rotate 270°</source>
        <translation>Um 270° drehen</translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation>Waagerecht spiegeln</translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation>Senkrecht spiegeln</translation>
    </message>
    <message>
        <source>LZW</source>
        <translation>LZW</translation>
    </message>
    <message>
        <source>CCITT Group 3 (black and white)</source>
        <translation>CCITT Gruppe 3 (schwarz-weiß)</translation>
    </message>
    <message>
        <source>CCITT Group 4 (black and white)</source>
        <translation>CCITT Gruppe 4 (schwarz-weiß)</translation>
    </message>
    <message>
        <source>CCITT RLE (black and white)</source>
        <translation>CCITT RLE (schwarz-weiß)</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>1 bit (black and white)</source>
        <translation>1 Bit (schwarz-weiß)</translation>
    </message>
    <message>
        <source>4 bits (16 colours)</source>
        <translation>4 Bit (16 Farben)</translation>
    </message>
    <message>
        <source>8 bits (256 colours)</source>
        <translation>8 Bit (256 Farben)</translation>
    </message>
    <message>
        <source>24 bits (true colour)</source>
        <translation>24 Bit (Echtfarben)</translation>
    </message>
    <message>
        <source>32 bits (true colour and alpha)</source>
        <translation>32 Bit (Echtfarben mit Alpha)</translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation>&amp;Adresse:</translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>&amp;Login:</source>
        <translation>&amp;Benutzername:</translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation>Pass&amp;wort:</translation>
    </message>
    <message>
        <source>&amp;CA file (private server, optional):</source>
        <translation>&amp;CA-Datei (privater Server, optional):</translation>
    </message>
    <message>
        <source>Ser&amp;ver:</source>
        <translation>&amp;Server:</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>&amp;Port:</translation>
    </message>
    <message>
        <source>Unexpected error!</source>
        <translation>Unerwarteter Fehler!</translation>
    </message>
    <message>
        <source>Select template</source>
        <translation>Vorlage auswählen</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Template &amp;name:</source>
        <translation>Vorlagen&amp;name:</translation>
    </message>
    <message>
        <source>Please select template</source>
        <translation>Bitte eine Vorlage auswählen</translation>
    </message>
    <message>
        <source>Please select folder for template and type template name</source>
        <translation>Bitte einen Ordner für die Vorlage wählen und den Vorlagennamen eingeben</translation>
    </message>
    <message>
        <source>Would you like to delete selected folder and all it&apos;s templates?</source>
        <translation>Möchten Sie den gewählten Ordner mit allen seinen Vorlagen löschen?</translation>
    </message>
    <message>
        <source>Mosvel template(*.mtp)|*.mtp|</source>
        <translation>Mosvel-Vorlage(*.mtp)|*.mtp|</translation>
    </message>
    <message>
        <source>&amp;Add templates...</source>
        <translation>Vorlagen &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Delete template</source>
        <translation>Vorlage lö&amp;schen</translation>
    </message>
    <message>
        <source>Would you like to delete selected template?</source>
        <translation>Möchten Sie die gewählte Vorlage löschen?</translation>
    </message>
    <message>
        <source>Select velora</source>
        <translation>Velora auswählen</translation>
    </message>
    <message>
        <source>Veloras</source>
        <translation>Veloras</translation>
    </message>
    <message>
        <source>Velora &amp;name:</source>
        <translation>Velora-&amp;Name:</translation>
    </message>
    <message>
        <source>Please select velora</source>
        <translation>Bitte eine Velora auswählen</translation>
    </message>
    <message>
        <source>Please select folder for velora and type velora name</source>
        <translation>Bitte einen Ordner für die Velora wählen und den Velora-Namen eingeben</translation>
    </message>
    <message>
        <source>Would you like to delete selected folder and all it&apos;s velroas?</source>
        <translation>Möchten Sie den gewählten Ordner mit allen seinen Veloras löschen?</translation>
    </message>
    <message>
        <source>&amp;Folder(from root, e.g. /templates):</source>
        <translation>&amp;Ordner (ab Wurzel, z. B. /templates):</translation>
    </message>
    <message>
        <source>&amp;Folder(from root, e.g. /textures):</source>
        <translation>&amp;Ordner (ab Wurzel, z. B. /textures):</translation>
    </message>
    <message>
        <source>&amp;Folder(from root, e.g. /veloras):</source>
        <translation>&amp;Ordner (ab Wurzel, z. B. /veloras):</translation>
    </message>
    <message>
        <source>Turn any drawing into a colouring template</source>
        <translation>Jede Zeichnung wird zur Ausmalvorlage</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Texturen</translation>
    </message>
    <message>
        <source>Stone, wood, glass: fill every area with a real material</source>
        <translation>Stein, Holz, Glas: jeder Bereich in echtem Material</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>BMP, GIF, JPEG, PNG and TIFF at any size you need</source>
        <translation>BMP, GIF, JPEG, PNG und TIFF in jeder Größe</translation>
    </message>
    <message>
        <source>Password incorrect!!!</source>
        <translation>Passwort falsch!</translation>
    </message>
    <message>
        <source>Wrong file format!</source>
        <translation>Falsches Dateiformat!</translation>
    </message>
    <message>
        <source>Image::FromStream() error!</source>
        <translation>Das Bild konnte nicht gelesen werden!</translation>
    </message>
    <message>
        <source>Error</source>
        <translation>Fehler</translation>
    </message>
    <message>
        <source>The image of area &quot;%1&quot; could not be stored.</source>
        <translation>Das Bild des Bereichs „%1“ konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>Create a new document</source>
        <translation>Ein neues Dokument anlegen</translation>
    </message>
    <message>
        <source>New</source>
        <translation>Neu</translation>
    </message>
    <message>
        <source>&amp;New velora</source>
        <translation>&amp;Neue Velora</translation>
    </message>
    <message>
        <source>Create a new velora</source>
        <translation>Eine neue Velora anlegen</translation>
    </message>
    <message>
        <source>New velora</source>
        <translation>Neue Velora</translation>
    </message>
    <message>
        <source>New template</source>
        <translation>Neue Vorlage</translation>
    </message>
    <message>
        <source>Create a new template</source>
        <translation>Eine neue Vorlage anlegen</translation>
    </message>
    <message>
        <source>&amp;Open...</source>
        <translation>Ö&amp;ffnen...</translation>
    </message>
    <message>
        <source>Open an existing document</source>
        <translation>Ein vorhandenes Dokument öffnen</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Close the active document</source>
        <translation>Das aktive Dokument schließen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Speichern</translation>
    </message>
    <message>
        <source>Save the active document</source>
        <translation>Das aktive Dokument speichern</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Speichern &amp;unter...</translation>
    </message>
    <message>
        <source>Save the active document with a new name</source>
        <translation>Das aktive Dokument unter neuem Namen speichern</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>Print Set&amp;up...</source>
        <translation>Drucker ein&amp;richten...</translation>
    </message>
    <message>
        <source>Change the printer and printing options</source>
        <translation>Drucker und Druckoptionen ändern</translation>
    </message>
    <message>
        <source>Page Setup</source>
        <translation>Seite einrichten</translation>
    </message>
    <message>
        <source>&amp;Print...</source>
        <translation>&amp;Drucken...</translation>
    </message>
    <message>
        <source>Print the active document</source>
        <translation>Das aktive Dokument drucken</translation>
    </message>
    <message>
        <source>Print</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>Print Direct</source>
        <translation>Direkt drucken</translation>
    </message>
    <message>
        <source>Print the active document on the default printer</source>
        <translation>Das aktive Dokument auf dem Standarddrucker drucken</translation>
    </message>
    <message>
        <source>Print Pre&amp;view...</source>
        <translation>Druck&amp;vorschau...</translation>
    </message>
    <message>
        <source>Display full pages</source>
        <translation>Ganze Seiten anzeigen</translation>
    </message>
    <message>
        <source>Print Preview</source>
        <translation>Druckvorschau</translation>
    </message>
    <message>
        <source>&amp;Export...</source>
        <translation>&amp;Exportieren...</translation>
    </message>
    <message>
        <source>Export the velora as an image</source>
        <translation>Die Velora als Bild exportieren</translation>
    </message>
    <message>
        <source>Connec&amp;tion setup...</source>
        <translation>Verbindungen ein&amp;richten...</translation>
    </message>
    <message>
        <source>Set up the server connections</source>
        <translation>Die Serververbindungen einrichten</translation>
    </message>
    <message>
        <source>Connection setup</source>
        <translation>Verbindungen einrichten</translation>
    </message>
    <message>
        <source>&amp;Download...</source>
        <translation>&amp;Herunterladen...</translation>
    </message>
    <message>
        <source>Download the libraries from their servers</source>
        <translation>Die Bibliotheken von ihren Servern herunterladen</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>S&amp;end to server...</source>
        <translation>&amp;An Server senden...</translation>
    </message>
    <message>
        <source>Send library files to their servers</source>
        <translation>Bibliotheksdateien an ihre Server senden</translation>
    </message>
    <message>
        <source>Send to server</source>
        <translation>An Server senden</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Das Programm beenden; fragt nach dem Speichern der Dokumente</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>Undo the last action</source>
        <translation>Die letzte Aktion rückgängig machen</translation>
    </message>
    <message>
        <source>Undo</source>
        <translation>Rückgängig</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Ausschneiden</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard</source>
        <translation>Die Auswahl ausschneiden und in die Zwischenablage legen</translation>
    </message>
    <message>
        <source>Cut</source>
        <translation>Ausschneiden</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopieren</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard</source>
        <translation>Die Auswahl in die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Copy</source>
        <translation>Kopieren</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Einfügen</translation>
    </message>
    <message>
        <source>Insert Clipboard contents</source>
        <translation>Den Inhalt der Zwischenablage einfügen</translation>
    </message>
    <message>
        <source>Paste</source>
        <translation>Einfügen</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>Nächster Bereich</translation>
    </message>
    <message>
        <source>Switch to the next window pane</source>
        <translation>Zum nächsten Fensterbereich wechseln</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>Vorheriger Bereich</translation>
    </message>
    <message>
        <source>Switch back to the previous window pane</source>
        <translation>Zum vorherigen Fensterbereich zurückwechseln</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Werkzeugleiste</translation>
    </message>
    <message>
        <source>Show or hide the toolbar</source>
        <translation>Die Werkzeugleiste zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle ToolBar</source>
        <translation>Werkzeugleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Statusleiste</translation>
    </message>
    <message>
        <source>Show or hide the status bar</source>
        <translation>Die Statusleiste zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Toggle StatusBar</source>
        <translation>Statusleiste ein/aus</translation>
    </message>
    <message>
        <source>&amp;Areas</source>
        <translation>&amp;Bereiche</translation>
    </message>
    <message>
        <source>Show or hide the Areas panel</source>
        <translation>Das Bereichsfenster zeigen oder ausblenden</translation>
    </message>
    <message>
        <source>Areas</source>
        <translation>Bereiche</translation>
    </message>
    <message>
        <source>Textures &amp;groups</source>
        <translation>Textur&amp;gruppen</translation>
    </message>
    <message>
        <source>Edit the texture groups</source>
        <translation>Die Texturgruppen bearbeiten</translation>
    </message>
    <message>
        <source>Textures groups</source>
        <translation>Texturgruppen</translation>
    </message>
    <message>
        <source>&amp;Select template...</source>
        <translation>Vorlage &amp;auswählen...</translation>
    </message>
    <message>
        <source>Select a template for the velora</source>
        <translation>Eine Vorlage für die Velora auswählen</translation>
    </message>
    <message>
        <source>Select all</source>
        <translation>Alles auswählen</translation>
    </message>
    <message>
        <source>Select all curves</source>
        <translation>Alle Kurven auswählen</translation>
    </message>
    <message>
        <source>&amp;Deselect all regions</source>
        <translation>Alle Regionen ab&amp;wählen</translation>
    </message>
    <message>
        <source>Deselect all regions</source>
        <translation>Alle Regionen abwählen</translation>
    </message>
    <message>
        <source>&amp;Create area from selected</source>
        <translation>&amp;Bereich aus Auswahl erstellen</translation>
    </message>
    <message>
        <source>Create an area from the selected regions</source>
        <translation>Aus den ausgewählten Regionen einen Bereich erstellen</translation>
    </message>
    <message>
        <source>Create area from selected</source>
        <translation>Bereich aus Auswahl erstellen</translation>
    </message>
    <message>
        <source>&amp;Add selected to existing group</source>
        <translation>Auswahl zu bestehendem Bereich &amp;hinzufügen</translation>
    </message>
    <message>
        <source>Add selected to existing area</source>
        <translation>Auswahl zu bestehendem Bereich hinzufügen</translation>
    </message>
    <message>
        <source>De&amp;lete selected from existing area</source>
        <translation>Auswahl aus bestehendem Bereich &amp;entfernen</translation>
    </message>
    <message>
        <source>Delete selected group</source>
        <translation>Auswahl aus dem Bereich entfernen</translation>
    </message>
    <message>
        <source>Delete selected from cac&amp;he</source>
        <translation>Auswahl aus dem &amp;Zwischenspeicher löschen</translation>
    </message>
    <message>
        <source>Delete the selected regions from the cache</source>
        <translation>Die ausgewählten Regionen aus dem Zwischenspeicher löschen</translation>
    </message>
    <message>
        <source>Delete selected from cache</source>
        <translation>Auswahl aus dem Zwischenspeicher löschen</translation>
    </message>
    <message>
        <source>S&amp;mooth lines</source>
        <translation>&amp;Linien glätten</translation>
    </message>
    <message>
        <source>Smooth</source>
        <translation>Glätten</translation>
    </message>
    <message>
        <source>Co&amp;rrection mode</source>
        <translation>Korrek&amp;turmodus</translation>
    </message>
    <message>
        <source>Correct the outlines with the pen</source>
        <translation>Die Umrisse mit dem Stift korrigieren</translation>
    </message>
    <message>
        <source>Correction mode</source>
        <translation>Korrekturmodus</translation>
    </message>
    <message>
        <source>Zoom &amp;in</source>
        <translation>&amp;Vergrößern</translation>
    </message>
    <message>
        <source>Zoom in to a dragged rectangle</source>
        <translation>Auf ein aufgezogenes Rechteck vergrößern</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Vergrößern</translation>
    </message>
    <message>
        <source>Zoom &amp;out</source>
        <translation>Ver&amp;kleinern</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Verkleinern</translation>
    </message>
    <message>
        <source>&amp;1:1</source>
        <translation>&amp;1:1</translation>
    </message>
    <message>
        <source>Show the template at its own size</source>
        <translation>Die Vorlage in ihrer eigenen Größe zeigen</translation>
    </message>
    <message>
        <source>1:1</source>
        <translation>1:1</translation>
    </message>
    <message>
        <source>&amp;Pen</source>
        <translation>&amp;Stift</translation>
    </message>
    <message>
        <source>Draw (left button) or erase (right button) outline pixels</source>
        <translation>Umrisspunkte zeichnen (linke Taste) oder löschen (rechte Taste)</translation>
    </message>
    <message>
        <source>Pen</source>
        <translation>Stift</translation>
    </message>
    <message>
        <source>To the most top level</source>
        <translation>Ganz nach oben</translation>
    </message>
    <message>
        <source>To the most bottom level</source>
        <translation>Ganz nach unten</translation>
    </message>
    <message>
        <source>Delete selected areas</source>
        <translation>Ausgewählte Bereiche löschen</translation>
    </message>
    <message>
        <source>Name the template</source>
        <translation>Die Vorlage benennen</translation>
    </message>
    <message>
        <source>Template name</source>
        <translation>Vorlagenname</translation>
    </message>
    <message>
        <source>Delete area</source>
        <translation>Bereich löschen</translation>
    </message>
    <message>
        <source>Delete the current area</source>
        <translation>Den aktuellen Bereich löschen</translation>
    </message>
    <message>
        <source>&amp;New Window</source>
        <translation>&amp;Neues Fenster</translation>
    </message>
    <message>
        <source>Open another window for the active document</source>
        <translation>Ein weiteres Fenster für das aktive Dokument öffnen</translation>
    </message>
    <message>
        <source>New Window</source>
        <translation>Neues Fenster</translation>
    </message>
    <message>
        <source>&amp;Cascade</source>
        <translation>Über&amp;lappend</translation>
    </message>
    <message>
        <source>Arrange windows so they overlap</source>
        <translation>Die Fenster überlappend anordnen</translation>
    </message>
    <message>
        <source>Cascade Windows</source>
        <translation>Fenster überlappend</translation>
    </message>
    <message>
        <source>&amp;Tile</source>
        <translation>Neben&amp;einander</translation>
    </message>
    <message>
        <source>Arrange windows as non-overlapping tiles</source>
        <translation>Die Fenster nebeneinander anordnen</translation>
    </message>
    <message>
        <source>Tile Windows</source>
        <translation>Fenster nebeneinander</translation>
    </message>
    <message>
        <source>&amp;Arrange Icons</source>
        <translation>&amp;Symbole anordnen</translation>
    </message>
    <message>
        <source>Arrange icons at the bottom of the window</source>
        <translation>Die Symbole am unteren Fensterrand anordnen</translation>
    </message>
    <message>
        <source>Arrange Icons</source>
        <translation>Symbole anordnen</translation>
    </message>
    <message>
        <source>Ta&amp;bs</source>
        <translation>&amp;Reiter</translation>
    </message>
    <message>
        <source>Show the documents as tabs</source>
        <translation>Die Dokumente als Reiter zeigen</translation>
    </message>
    <message>
        <source>Tabs</source>
        <translation>Reiter</translation>
    </message>
    <message>
        <source>&amp;Sub-windows</source>
        <translation>&amp;Unterfenster</translation>
    </message>
    <message>
        <source>Show the documents as windows to arrange</source>
        <translation>Die Dokumente als anordenbare Fenster zeigen</translation>
    </message>
    <message>
        <source>Sub-windows</source>
        <translation>Unterfenster</translation>
    </message>
    <message>
        <source>&amp;Help...</source>
        <translation>&amp;Hilfe...</translation>
    </message>
    <message>
        <source>Open the help</source>
        <translation>Die Hilfe öffnen</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;Orvane Velora...</source>
        <translation>Über &amp;Orvane Velora...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Zuletzt geöffnete Datei</translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation>Dieses Dokument öffnen</translation>
    </message>
    <message>
        <source>Failed to open document.</source>
        <translation>Das Dokument konnte nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>Failed to save document.</source>
        <translation>Das Dokument konnte nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Invalid filename.</source>
        <translation>Ungültiger Dateiname.</translation>
    </message>
    <message>
        <source>All available formats(%1);;Velora(*.vld);;Velora template(*.mtp);;WMF files(*.wmf);;DXF files(*.dxf);;Drawings (%2);;All files(*)</source>
        <translation>Alle lesbaren Formate(%1);;Velora(*.vld);;Velora-Vorlage(*.mtp);;WMF-Dateien(*.wmf);;DXF-Dateien(*.dxf);;Zeichnungen (%2);;Alle Dateien(*)</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
    <message>
        <source>Redo the previously undone action</source>
        <translation>Die zuletzt rückgängig gemachte Aktion wiederholen</translation>
    </message>
    <message>
        <source>Redo</source>
        <translation>Wiederholen</translation>
    </message>
    <message>
        <source>Undo history</source>
        <translation>Rückgängig-Verlauf</translation>
    </message>
    <message>
        <source>Show or hide the steps that can be undone and redone</source>
        <translation>Die Schritte zeigen oder ausblenden, die rückgängig gemacht und wiederholt werden können</translation>
    </message>
    <message>
        <source>Rename the current area</source>
        <translation>Den aktuellen Bereich umbenennen</translation>
    </message>
    <message>
        <source>Rename area</source>
        <translation>Bereich umbenennen</translation>
    </message>
    <message>
        <source>Remove texture</source>
        <translation>Textur entfernen</translation>
    </message>
    <message>
        <source>Take the texture off the current area</source>
        <translation>Die Textur vom aktuellen Bereich nehmen</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>Capture region</source>
        <translation>Region erfassen</translation>
    </message>
    <message>
        <source>Select region</source>
        <translation>Region auswählen</translation>
    </message>
    <message>
        <source>Deselect region</source>
        <translation>Region abwählen</translation>
    </message>
    <message>
        <source>Delete selected from existing area</source>
        <translation>Auswahl aus vorhandenem Bereich löschen</translation>
    </message>
    <message>
        <source>Smooth lines</source>
        <translation>Linien glätten</translation>
    </message>
    <message>
        <source>Colour &quot;%1&quot;</source>
        <translation>„%1“ ausmalen</translation>
    </message>
    <message>
        <source>Pen stroke</source>
        <translation>Stiftstrich</translation>
    </message>
    <message>
        <source>Close &amp;gaps...</source>
        <translation>Lü&amp;cken schließen...</translation>
    </message>
    <message>
        <source>Join the open ends of the outlines across small gaps</source>
        <translation>Die offenen Enden der Umrisse über kleine Lücken verbinden</translation>
    </message>
    <message>
        <source>Close gaps</source>
        <translation>Lücken schließen</translation>
    </message>
    <message>
        <source>Close gaps when a click &amp;floods</source>
        <translation>Lücken beim &amp;Füllen schließen</translation>
    </message>
    <message>
        <source>Try a click whose space reaches the drawing&apos;s edge again with its gaps closed</source>
        <translation>Einen Klick, dessen Fläche den Rand der Zeichnung erreicht, mit geschlossenen Lücken wiederholen</translation>
    </message>
    <message>
        <source>Close gaps when a click floods</source>
        <translation>Lücken beim Füllen schließen</translation>
    </message>
    <message>
        <source>&amp;Undo history</source>
        <translation>&amp;Rückgängig-Verlauf</translation>
    </message>
    <message>
        <source>&amp;Template name...</source>
        <translation>Vorlagen&amp;name...</translation>
    </message>
    <message>
        <source>D&amp;elete area</source>
        <translation>Be&amp;reich löschen</translation>
    </message>
    <message>
        <source>&amp;Rename area...</source>
        <translation>Bereich &amp;umbenennen...</translation>
    </message>
    <message>
        <source>Remove &amp;texture</source>
        <translation>&amp;Textur entfernen</translation>
    </message>
    <message>
        <source>not enough memory</source>
        <translation>nicht genug Arbeitsspeicher</translation>
    </message>
    <message>
        <source>failed unexpectedly</source>
        <translation>unerwartet fehlgeschlagen</translation>
    </message>
    <message>
        <source>error %1</source>
        <translation>Fehler %1</translation>
    </message>
    <message>
        <source>cannot be opened: %1</source>
        <translation>kann nicht geöffnet werden: %1</translation>
    </message>
    <message>
        <source>cannot be read: %1</source>
        <translation>kann nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>is a folder, not a file</source>
        <translation>ist ein Ordner, keine Datei</translation>
    </message>
    <message>
        <source>is a pipe, not a regular file</source>
        <translation>ist eine Pipe, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>is a device, not a regular file</source>
        <translation>ist ein Gerät, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>is a socket, not a regular file</source>
        <translation>ist ein Socket, keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>is not a regular file</source>
        <translation>ist keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>is too large (%1 bytes; at most %2 bytes are read)</source>
        <translation>ist zu groß (%1 Bytes; höchstens %2 Bytes werden gelesen)</translation>
    </message>
    <message>
        <source>it became shorter while it was read</source>
        <translation>sie wurde beim Lesen kürzer</translation>
    </message>
    <message>
        <source>is empty</source>
        <translation>ist leer</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>cannot be written: %1</source>
        <translation>kann nicht geschrieben werden: %1</translation>
    </message>
    <message>
        <source>Converting to areas...</source>
        <translation>In Bereiche umwandeln...</translation>
    </message>
    <message>
        <source>Sorting...</source>
        <translation>Sortieren...</translation>
    </message>
    <message>
        <source>Renaming...</source>
        <translation>Umbenennen...</translation>
    </message>
    <message>
        <source>is not a DXF drawing: it has no DXF sections</source>
        <translation>ist keine DXF-Zeichnung: sie hat keine DXF-Abschnitte</translation>
    </message>
    <message>
        <source>has no shapes to make a template of</source>
        <translation>enthält keine Formen, aus denen eine Vorlage werden kann</translation>
    </message>
    <message>
        <source> (left out: %1)</source>
        <translation> (ausgelassen: %1)</translation>
    </message>
    <message>
        <source>Tracing...</source>
        <translation>Nachzeichnen...</translation>
    </message>
    <message>
        <source>%1 is protected by a password. Please enter it:</source>
        <translation>%1 ist durch ein Kennwort geschützt. Bitte geben Sie es ein:</translation>
    </message>
    <message>
        <source>is protected by a password</source>
        <translation>ist durch ein Kennwort geschützt</translation>
    </message>
    <message>
        <source>the password is wrong</source>
        <translation>das Kennwort ist falsch</translation>
    </message>
    <message>
        <source>is not a PDF document</source>
        <translation>ist kein PDF-Dokument</translation>
    </message>
    <message>
        <source>is not a readable PDF document</source>
        <translation>ist kein lesbares PDF-Dokument</translation>
    </message>
    <message>
        <source>the document has no pages</source>
        <translation>das Dokument hat keine Seiten</translation>
    </message>
    <message>
        <source>the document has %L1 pages, more than the %L2 this program reads</source>
        <translation>das Dokument hat %L1 Seiten, mehr als die %L2, die dieses Programm liest</translation>
    </message>
    <message>
        <source>has no page %1; its pages are 1 to %2</source>
        <translation>hat keine Seite %1; seine Seiten sind 1 bis %2</translation>
    </message>
    <message>
        <source>page %1 cannot be read</source>
        <translation>Seite %1 kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the picture is too large to trace (%1 x %2 pixels; at most %L3 pixels)</source>
        <translation>das Bild ist zu groß zum Nachzeichnen (%1 x %2 Pixel; höchstens %L3 Pixel)</translation>
    </message>
    <message>
        <source>is not a picture</source>
        <translation>ist kein Bild</translation>
    </message>
    <message>
        <source>is not a readable picture: %1</source>
        <translation>ist kein lesbares Bild: %1</translation>
    </message>
    <message>
        <source>Creating bitmap...</source>
        <translation>Bitmap erstellen...</translation>
    </message>
    <message>
        <source>Resizing...</source>
        <translation>Größe anpassen...</translation>
    </message>
    <message>
        <source>the compressed drawing cannot be unpacked</source>
        <translation>die komprimierte Zeichnung kann nicht entpackt werden</translation>
    </message>
    <message>
        <source>the compressed drawing unpacks to more than %1</source>
        <translation>die komprimierte Zeichnung entpackt sich zu mehr als %1</translation>
    </message>
    <message>
        <source>the compressed drawing is damaged</source>
        <translation>die komprimierte Zeichnung ist beschädigt</translation>
    </message>
    <message>
        <source>its elements nest more than %1 deep</source>
        <translation>ihre Elemente sind mehr als %1 Ebenen tief verschachtelt</translation>
    </message>
    <message>
        <source>it draws more than %L1 elements</source>
        <translation>sie zeichnet mehr als %L1 Elemente</translation>
    </message>
    <message>
        <source>the drawing is too complex: %1</source>
        <translation>die Zeichnung ist zu komplex: %1</translation>
    </message>
    <message>
        <source>is not an SVG drawing</source>
        <translation>ist keine SVG-Zeichnung</translation>
    </message>
    <message>
        <source>is damaged: %1 %2 would take %3 of memory, more than %4 of data can describe</source>
        <translation>ist beschädigt: %1 %2 würden %3 Arbeitsspeicher belegen, mehr als %4 Daten beschreiben können</translation>
    </message>
    <message>
        <source>is damaged: its area images would take %1 of memory when decoded, more than their %2 of data can describe</source>
        <translation>ist beschädigt: ihre Bereichsbilder würden entpackt %1 Arbeitsspeicher belegen, mehr als ihre %2 Daten beschreiben können</translation>
    </message>
    <message>
        <source>Capturing regions...</source>
        <translation>Regionen erfassen...</translation>
    </message>
    <message>
        <source>Not a file</source>
        <translation>Keine Datei</translation>
    </message>
    <message>
        <source>No such file</source>
        <translation>Keine solche Datei</translation>
    </message>
    <message>
        <source>A file of that name exists</source>
        <translation>Eine Datei dieses Namens gibt es schon</translation>
    </message>
    <message>
        <source>A folder of that name exists</source>
        <translation>Einen Ordner dieses Namens gibt es schon</translation>
    </message>
    <message>
        <source>The export size %1 x %2 is not valid: width and height must be at least 1 pixel.</source>
        <translation>Die Exportgröße %1 x %2 ist ungültig: Breite und Höhe müssen mindestens 1 Pixel betragen.</translation>
    </message>
    <message>
        <source>An image of %1 x %2 pixels is too large: exporting it needs %3 GB of memory, and this computer has %4 GB.</source>
        <translation>Ein Bild von %1 x %2 Pixeln ist zu groß: Sein Export braucht %3 GB Arbeitsspeicher, dieser Computer hat %4 GB.</translation>
    </message>
    <message>
        <source>The design has no size (%1 x %2), so there is nothing to export.</source>
        <translation>Der Entwurf hat keine Größe (%1 x %2), es gibt also nichts zu exportieren.</translation>
    </message>
    <message>
        <source>There is not enough memory to render the design at %1 x %2 pixels.</source>
        <translation>Der Arbeitsspeicher reicht nicht, um den Entwurf mit %1 x %2 Pixeln zu zeichnen.</translation>
    </message>
    <message>
        <source>No file name was given.</source>
        <translation>Es wurde kein Dateiname angegeben.</translation>
    </message>
    <message>
        <source>an image cannot be scaled to %1 x %2 pixels</source>
        <translation>ein Bild kann nicht auf %1 x %2 Pixel skaliert werden</translation>
    </message>
    <message>
        <source>not enough memory for an image of %1 x %2 pixels</source>
        <translation>nicht genug Arbeitsspeicher für ein Bild von %1 x %2 Pixeln</translation>
    </message>
    <message>
        <source>not enough memory to reduce the colours</source>
        <translation>nicht genug Arbeitsspeicher, um die Farben zu reduzieren</translation>
    </message>
    <message>
        <source>the colour reduction failed (libimagequant error %1)</source>
        <translation>die Farbreduktion ist fehlgeschlagen (libimagequant-Fehler %1)</translation>
    </message>
    <message>
        <source>%1 compression writes only black-and-white (1-bit) images, not %2-bit ones; choose colour depth 1 or another compression. Nothing was written.</source>
        <translation>Die Kompression %1 schreibt nur Schwarzweißbilder (1 Bit), keine mit %2 Bit; wählen Sie Farbtiefe 1 oder eine andere Kompression. Es wurde nichts geschrieben.</translation>
    </message>
    <message>
        <source>an image of %1 x %2 pixels cannot be saved</source>
        <translation>ein Bild von %1 x %2 Pixeln kann nicht gespeichert werden</translation>
    </message>
    <message>
        <source>an image of %1 x %2 pixels is too large for %3</source>
        <translation>ein Bild von %1 x %2 Pixeln ist zu groß für %3</translation>
    </message>
    <message>
        <source>JPEG (at most %1 pixels a side)</source>
        <translation>JPEG (höchstens %1 Pixel je Seite)</translation>
    </message>
    <message>
        <source>GIF (at most %1 pixels a side)</source>
        <translation>GIF (höchstens %1 Pixel je Seite)</translation>
    </message>
    <message>
        <source>a BMP file (at most 4 GB)</source>
        <translation>eine BMP-Datei (höchstens 4 GB)</translation>
    </message>
    <message>
        <source>%1 x %2 pixels</source>
        <translation>%1 x %2 Pixel</translation>
    </message>
    <message>
        <source>the image has no pixels (%1)</source>
        <translation>das Bild hat keine Pixel (%1)</translation>
    </message>
    <message>
        <source>the image is too large (%1; at most %2 x %2)</source>
        <translation>das Bild ist zu groß (%1; höchstens %2 x %2)</translation>
    </message>
    <message>
        <source>the image claims %1, more than its %2 bytes can hold</source>
        <translation>das Bild gibt %1 an, mehr als seine %2 Bytes fassen können</translation>
    </message>
    <message>
        <source>the JPEG header is damaged</source>
        <translation>der JPEG-Kopf ist beschädigt</translation>
    </message>
    <message>
        <source>the JPEG data is damaged</source>
        <translation>die JPEG-Daten sind beschädigt</translation>
    </message>
    <message>
        <source>not an image format the program stores</source>
        <translation>kein Bildformat, das das Programm speichert</translation>
    </message>
    <message>
        <source>no image data</source>
        <translation>keine Bilddaten</translation>
    </message>
    <message>
        <source>cannot be decoded: %1</source>
        <translation>kann nicht dekodiert werden: %1</translation>
    </message>
    <message>
        <source>folders nest deeper than %1 levels</source>
        <translation>Ordner sind tiefer als %1 Ebenen verschachtelt</translation>
    </message>
    <message>
        <source>the name could lead outside the library; passed over</source>
        <translation>der Name könnte aus der Bibliothek hinausführen; übersprungen</translation>
    </message>
    <message>
        <source>not below the remote folder &quot;%1&quot; as the server names it; passed over</source>
        <translation>nicht unterhalb des entfernten Ordners „%1“, wie der Server ihn nennt; übersprungen</translation>
    </message>
    <message>
        <source>Connecting to ...</source>
        <translation>Verbinden mit ...</translation>
    </message>
    <message>
        <source>Receiving the list...</source>
        <translation>Liste wird empfangen...</translation>
    </message>
    <message>
        <source>Downloading...</source>
        <translation>Herunterladen...</translation>
    </message>
    <message>
        <source>Finishing...</source>
        <translation>Abschließen...</translation>
    </message>
    <message>
        <source>Can&apos;t establish connection!</source>
        <translation>Verbindung kann nicht hergestellt werden!</translation>
    </message>
    <message>
        <source>the login or password was refused</source>
        <translation>Anmeldename oder Kennwort wurde abgelehnt</translation>
    </message>
    <message>
        <source>the server does not offer TLS</source>
        <translation>der Server bietet kein TLS an</translation>
    </message>
    <message>
        <source>the CA file cannot be read</source>
        <translation>die CA-Datei kann nicht gelesen werden</translation>
    </message>
    <message>
        <source>the server did not open the data connection</source>
        <translation>der Server hat die Datenverbindung nicht geöffnet</translation>
    </message>
    <message>
        <source>the name holds a line break</source>
        <translation>der Name enthält einen Zeilenumbruch</translation>
    </message>
    <message>
        <source>libcurl could not start</source>
        <translation>libcurl konnte nicht starten</translation>
    </message>
    <message>
        <source>the server sent more than %1 MiB</source>
        <translation>der Server hat mehr als %1 MiB gesendet</translation>
    </message>
    <message>
        <source>; the server said &quot;%1&quot;</source>
        <translation>; der Server meldete „%1“</translation>
    </message>
    <message>
        <source>No server</source>
        <translation>Kein Server</translation>
    </message>
    <message>
        <source>the address is empty (File / Connection setup...)</source>
        <translation>die Adresse ist leer (Datei / Verbindungen einrichten...)</translation>
    </message>
    <message>
        <source>the port %1 is not between 0 and 65535</source>
        <translation>der Port %1 liegt nicht zwischen 0 und 65535</translation>
    </message>
    <message>
        <source>The folder &quot;%1&quot;</source>
        <translation>Der Ordner „%1“</translation>
    </message>
    <message>
        <source>the server does not say where it is</source>
        <translation>der Server sagt nicht, wo er ist</translation>
    </message>
    <message>
        <source>the server received %1 of %2 bytes</source>
        <translation>der Server hat %1 von %2 Bytes empfangen</translation>
    </message>
    <message>
        <source>Sending files...</source>
        <translation>Dateien werden gesendet...</translation>
    </message>
    <message>
        <source>File %1 of %2: %3</source>
        <translation>Datei %1 von %2: %3</translation>
    </message>
    <message>
        <source>Done.</source>
        <translation>Fertig.</translation>
    </message>
    <message>
        <source>... and %1 more</source>
        <translation>... und %1 weitere</translation>
    </message>
    <message>
        <source>the data ends early (%1 bytes needed at offset %2, %3 left)</source>
        <translation>die Daten enden zu früh (%1 Bytes nötig an Position %2, %3 übrig)</translation>
    </message>
    <message>
        <source>a count of %1 items at offset %2 does not fit in the %3 bytes left</source>
        <translation>eine Anzahl von %1 Einträgen an Position %2 passt nicht in die %3 übrigen Bytes</translation>
    </message>
    <message>
        <source>a string of %1 characters at offset %2 runs past the end of the data</source>
        <translation>eine Zeichenkette von %1 Zeichen an Position %2 reicht über das Ende der Daten hinaus</translation>
    </message>
    <message>
        <source>the document could not be compressed (deflate error %1)</source>
        <translation>das Dokument konnte nicht komprimiert werden (deflate-Fehler %1)</translation>
    </message>
    <message>
        <source>the compressed data holds more than the %1 bytes its header gives</source>
        <translation>die komprimierten Daten enthalten mehr als die %1 Bytes, die ihr Kopf angibt</translation>
    </message>
    <message>
        <source>the compressed data is damaged</source>
        <translation>die komprimierten Daten sind beschädigt</translation>
    </message>
    <message>
        <source>the compressed data ends early</source>
        <translation>die komprimierten Daten enden zu früh</translation>
    </message>
    <message>
        <source>the compressed data holds %1 bytes, not the %2 its header gives</source>
        <translation>die komprimierten Daten enthalten %1 Bytes, nicht die %2, die ihr Kopf angibt</translation>
    </message>
    <message>
        <source>the container header is cut short (%1 of 12 bytes)</source>
        <translation>der Container-Kopf ist abgeschnitten (%1 von 12 Bytes)</translation>
    </message>
    <message>
        <source>the container claims %1 of data that its %2 of compressed data cannot hold</source>
        <translation>der Container gibt %1 Daten an, die seine %2 komprimierten Daten nicht fassen können</translation>
    </message>
    <message>
        <source>zlib cannot start</source>
        <translation>zlib kann nicht starten</translation>
    </message>
    <message>
        <source>the document is too large to be stored (more than %1 bytes)</source>
        <translation>das Dokument ist zu groß zum Speichern (mehr als %1 Bytes)</translation>
    </message>
    <message>
        <source>its blocks place more than %L1 entities, more than a template can be made of</source>
        <translation>ihre Blöcke setzen mehr als %L1 Objekte, mehr als eine Vorlage fassen kann</translation>
    </message>
    <message>
        <source>not a valid enhanced metafile: %1</source>
        <translation>keine gültige Enhanced-Metafile-Datei: %1</translation>
    </message>
    <message>
        <source>the file is too short for an enhanced metafile header (%1 bytes)</source>
        <translation>die Datei ist zu kurz für einen Enhanced-Metafile-Kopf (%1 Bytes)</translation>
    </message>
    <message>
        <source>it does not start with a header record</source>
        <translation>sie beginnt nicht mit einem Kopfdatensatz</translation>
    </message>
    <message>
        <source>the header has no &quot; EMF&quot; signature</source>
        <translation>der Kopf hat keine Signatur &quot; EMF&quot;</translation>
    </message>
    <message>
        <source>its declared size of %1 bytes is not a multiple of 4</source>
        <translation>ihre angegebene Größe von %1 Bytes ist kein Vielfaches von 4</translation>
    </message>
    <message>
        <source>the header declares %1 bytes but the file holds only %2</source>
        <translation>der Kopf gibt %1 Bytes an, die Datei enthält aber nur %2</translation>
    </message>
    <message>
        <source>is too short (%1 bytes) to be a metafile</source>
        <translation>ist zu kurz (%1 Bytes) für eine Metafile-Datei</translation>
    </message>
    <message>
        <source>the file is too short (%1 bytes) to be a metafile</source>
        <translation>die Datei ist zu kurz (%1 Bytes) für eine Metafile-Datei</translation>
    </message>
    <message>
        <source>the metafile gives no picture size</source>
        <translation>die Metafile-Datei gibt keine Bildgröße an</translation>
    </message>
    <message>
        <source>no memory for the texture image</source>
        <translation>kein Arbeitsspeicher für das Texturbild</translation>
    </message>
    <message>
        <source>the Windows metafile is too small (%1 bytes) to hold its own header</source>
        <translation>die Windows-Metafile-Datei ist zu klein (%1 Bytes) für ihren eigenen Kopf</translation>
    </message>
    <message>
        <source>the Windows metafile header is invalid (type %1, header size %2 words, version 0x%3)</source>
        <translation>der Kopf der Windows-Metafile-Datei ist ungültig (Typ %1, Kopfgröße %2 Wörter, Version 0x%3)</translation>
    </message>
    <message>
        <source>the Windows metafile header after the placeable header cannot be read: the file is too short</source>
        <translation>der Windows-Metafile-Kopf nach dem Placeable-Kopf kann nicht gelesen werden: die Datei ist zu kurz</translation>
    </message>
    <message>
        <source>the Windows metafile declares %1 bytes, more than can be read into memory</source>
        <translation>die Windows-Metafile-Datei gibt %1 Bytes an, mehr als in den Arbeitsspeicher gelesen werden kann</translation>
    </message>
    <message>
        <source>the metafile records cannot be read: the header declares %1 bytes but the file holds only %2</source>
        <translation>die Datensätze der Metafile-Datei können nicht gelesen werden: der Kopf gibt %1 Bytes an, die Datei enthält aber nur %2</translation>
    </message>
    <message>
        <source>the mask header (type %1, %2 x %3) is not that of a bitmap</source>
        <translation>der Maskenkopf (Typ %1, %2 x %3) ist nicht der einer Bitmap</translation>
    </message>
    <message>
        <source>the mask rows are %1 bytes long, where a mask %2 pixels wide has rows of %3 bytes</source>
        <translation>die Maskenzeilen sind %1 Bytes lang, wo eine Maske von %2 Pixeln Breite Zeilen von %3 Bytes hat</translation>
    </message>
    <message>
        <source>the mask of %1 x %2 pixels needs %3 bytes, %4 are left</source>
        <translation>die Maske von %1 x %2 Pixeln braucht %3 Bytes, %4 sind übrig</translation>
    </message>
    <message>
        <source>the mask has %1 planes of %2 bits per pixel, not one of one</source>
        <translation>die Maske hat %1 Ebenen mit %2 Bit je Pixel, nicht eine mit einem</translation>
    </message>
    <message>
        <source>the drawing is %1 × %2 pixels</source>
        <translation>die Zeichnung ist %1 × %2 Pixel groß</translation>
    </message>
    <message>
        <source>; the largest this program handles is %1 × %1</source>
        <translation>; dieses Programm verarbeitet höchstens %1 × %1</translation>
    </message>
    <message>
        <source>, which no drawing can be</source>
        <translation>, was keine Zeichnung sein kann</translation>
    </message>
    <message>
        <source>A drawing of %1 x %2 pixels cannot be made. Please enter a width and a height from 1 to %3 pixels.</source>
        <translation>Eine Zeichnung von %1 x %2 Pixeln kann nicht erstellt werden. Bitte geben Sie eine Breite und eine Höhe von 1 bis %3 Pixeln ein.</translation>
    </message>
    <message>
        <source>the server&apos;s certificate is not trusted or names another server</source>
        <translation>dem Zertifikat des Servers wird nicht vertraut, oder es nennt einen anderen Server</translation>
    </message>
    <message>
        <source>The server refused to rename files, so %1 file(s) replaced their old copy by deleting it first.</source>
        <translation>Der Server hat das Umbenennen von Dateien abgelehnt; daher haben %1 Datei(en) ihre alte Kopie ersetzt, indem diese zuerst gelöscht wurde.</translation>
    </message>
    <message>
        <source>There is not enough memory for a drawing of %1 x %2 pixels. Please enter a smaller size.</source>
        <translation>Der Arbeitsspeicher reicht nicht für eine Zeichnung von %1 x %2 Pixeln. Bitte geben Sie eine kleinere Größe ein.</translation>
    </message>
</context>
<context>
    <name>velora::CAboutDlg</name>
    <message>
        <source>About Orvane Velora</source>
        <translation>Über Orvane Velora</translation>
    </message>
    <message>
        <source>Velora</source>
        <translation>Velora</translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation>Version 1.0</translation>
    </message>
</context>
<context>
    <name>velora::CAreaNameDlg</name>
    <message>
        <source>Area name</source>
        <translation>Bereichsname</translation>
    </message>
    <message>
        <source>&amp;Enter area name:</source>
        <translation>Bereichsname &amp;eingeben:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>velora::CAreasBar</name>
    <message>
        <source>Areas</source>
        <translation>Bereiche</translation>
    </message>
    <message>
        <source>&amp;Areas:</source>
        <translation>Be&amp;reiche:</translation>
    </message>
    <message>
        <source>Te&amp;xtures:</source>
        <translation>Te&amp;xturen:</translation>
    </message>
    <message>
        <source>Texture groups</source>
        <translation>Texturgruppen</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Texturen</translation>
    </message>
    <message>
        <source>Add all group</source>
        <translation>Ganze Gruppe hinzufügen</translation>
    </message>
    <message>
        <source>Remove all group</source>
        <translation>Ganze Gruppe entfernen</translation>
    </message>
    <message>
        <source>Add all</source>
        <translation>Alle hinzufügen</translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation>Alle entfernen</translation>
    </message>
    <message>
        <source>Remove texture from the list</source>
        <translation>Textur aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Add texture to the list</source>
        <translation>Textur zur Liste hinzufügen</translation>
    </message>
</context>
<context>
    <name>velora::CBannerBar</name>
    <message>
        <source>Banner</source>
        <translation>Banner</translation>
    </message>
</context>
<context>
    <name>velora::CConnectionDlg</name>
    <message>
        <source>Connection setup</source>
        <translation>Verbindung einrichten</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>&amp;Templates</source>
        <translation>&amp;Vorlagen</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Texturen</translation>
    </message>
    <message>
        <source>Te&amp;xtures</source>
        <translation>&amp;Texturen</translation>
    </message>
    <message>
        <source>Veloras</source>
        <translation>Veloras</translation>
    </message>
    <message>
        <source>V&amp;eloras</source>
        <translation>Ve&amp;loras</translation>
    </message>
    <message>
        <source>Proxy &amp;server setup</source>
        <translation>Pro&amp;xyserver</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Use TLS (encrypted connection)</source>
        <translation>TLS &amp;nutzen (verschlüsselte Verbindung)</translation>
    </message>
    <message>
        <source>Proxy server setup</source>
        <translation>Proxyserver einrichten</translation>
    </message>
    <message>
        <source>&amp;Use proxy</source>
        <translation>Proxy &amp;benutzen</translation>
    </message>
    <message>
        <source>Please enter an integer between 0 and 65535.</source>
        <translation>Bitte eine ganze Zahl zwischen 0 und 65535 eingeben.</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte eine ganze Zahl eingeben.</translation>
    </message>
    <message>
        <source>The CA file &quot;%1&quot; does not exist.</source>
        <translation>Die CA-Datei „%1“ gibt es nicht.</translation>
    </message>
</context>
<context>
    <name>velora::CDownloadDlg</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Download &amp;all files, also unchanged ones</source>
        <translation>&amp;Alle Dateien herunterladen, auch unveränderte</translation>
    </message>
    <message>
        <source>Download</source>
        <translation>Herunterladen</translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation>Verbindung wird aufgebaut...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>File(%1 of %2): %3</source>
        <translation>Datei (%1 von %2): %3</translation>
    </message>
    <message>
        <source>No server is set up. Enter the servers in File / Connection setup...</source>
        <translation>Es ist kein Server eingerichtet. Tragen Sie die Server unter Datei / Verbindung einrichten... ein.</translation>
    </message>
    <message>
        <source>These files were not downloaded:</source>
        <translation>Diese Dateien wurden nicht heruntergeladen:</translation>
    </message>
    <message>
        <source>%1 downloaded, %2 unchanged, %3 failed.</source>
        <translation>%1 heruntergeladen, %2 unverändert, %3 fehlgeschlagen.</translation>
    </message>
</context>
<context>
    <name>velora::CExportDlg</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>&amp;Maintain aspect ratio</source>
        <translation>&amp;Seitenverhältnis beibehalten</translation>
    </message>
    <message>
        <source>Export</source>
        <translation>Exportieren</translation>
    </message>
    <message>
        <source>File name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höhe:</translation>
    </message>
    <message>
        <source>&amp;File name:</source>
        <translation>&amp;Dateiname:</translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation>F&amp;ormat:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Please type a file name.</source>
        <translation>Bitte einen Dateinamen eingeben.</translation>
    </message>
</context>
<context>
    <name>velora::CFolderLibraryDlg</name>
    <message>
        <source>Folders</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a folder name.</source>
        <translation>„%1“ kann nicht als Ordnername verwendet werden.</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
    <message>
        <source>already in this folder</source>
        <translation>schon in diesem Ordner</translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation>Diese Dateien wurden nicht hinzugefügt:</translation>
    </message>
    <message>
        <source>These files could not be copied:</source>
        <translation>Diese Dateien konnten nicht kopiert werden:</translation>
    </message>
</context>
<context>
    <name>velora::CHelpWindow</name>
    <message>
        <source>Velora Help</source>
        <translation>Velora-Hilfe</translation>
    </message>
    <message>
        <source>User guide</source>
        <translation>Benutzerhandbuch</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Schließen</translation>
    </message>
</context>
<context>
    <name>velora::CJpegOptionsPanel</name>
    <message>
        <source>Jpeg quality</source>
        <translation>JPEG-Qualität</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Keine</translation>
    </message>
    <message>
        <source>Jpeg &amp;quality:</source>
        <translation>JPEG-&amp;Qualität:</translation>
    </message>
    <message>
        <source>T&amp;ransformation:</source>
        <translation>T&amp;ransformation:</translation>
    </message>
</context>
<context>
    <name>velora::CKestBrowseEdit</name>
    <message>
        <source>Browse</source>
        <translation>Durchsuchen</translation>
    </message>
</context>
<context>
    <name>velora::CLibraryDlg</name>
    <message>
        <source>C&amp;reate folder</source>
        <translation>Ordner &amp;erstellen</translation>
    </message>
    <message>
        <source>De&amp;lete folder</source>
        <translation>Ordner &amp;löschen</translation>
    </message>
    <message>
        <source>Enter folder name</source>
        <translation>Ordnername eingeben</translation>
    </message>
    <message>
        <source>Folder name:</source>
        <translation>Ordnername:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation>Bitte einen Namen eingeben.</translation>
    </message>
    <message>
        <source>A name cannot contain &quot;/&quot;.</source>
        <translation>Ein Name darf kein „/“ enthalten.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; would not show in the library: a name cannot contain a dot.</source>
        <translation>„%1“ würde in der Bibliothek nicht erscheinen: Ein Name darf keinen Punkt enthalten.</translation>
    </message>
    <message>
        <source>File already exist. Do you want to replace the file?</source>
        <translation>Die Datei gibt es schon. Möchten Sie sie ersetzen?</translation>
    </message>
</context>
<context>
    <name>velora::CMainFrame</name>
    <message>
        <source>Documents</source>
        <translation>Dokumente</translation>
    </message>
    <message>
        <source>Banner</source>
        <translation>Banner</translation>
    </message>
    <message>
        <source>Main tool bar</source>
        <translation>Hauptwerkzeugleiste</translation>
    </message>
    <message>
        <source>Template tool bar</source>
        <translation>Vorlagen-Werkzeugleiste</translation>
    </message>
    <message>
        <source>Status bar</source>
        <translation>Statusleiste</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Areas</source>
        <translation>Bereiche</translation>
    </message>
    <message>
        <source>Area</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>Undo history</source>
        <translation>Rückgängig-Verlauf</translation>
    </message>
    <message numerus="yes">
        <source>(%n older step(s) dropped: the history keeps at most %1 MB)</source>
        <translation>
            <numerusform>(%n älterer Schritt verworfen: der Verlauf behält höchstens %1 MB)</numerusform>
            <numerusform>(%n ältere Schritte verworfen: der Verlauf behält höchstens %1 MB)</numerusform>
        </translation>
    </message>
    <message>
        <source>(start)</source>
        <translation>(Anfang)</translation>
    </message>
</context>
<context>
    <name>velora::CMosvelApp</name>
    <message>
        <source>The starter library was added (%1 files). Try File &gt; New velora, then Template &gt; Select template...</source>
        <translation>Die Startbibliothek wurde hinzugefügt (%1 Dateien). Probieren Sie Datei &gt; Neue Velora, dann Vorlage &gt; Vorlage auswählen...</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>%1 cannot be opened: Velora opens veloras (.vld), templates (.mtp) and drawings (.%2).</source>
        <translation>%1 kann nicht geöffnet werden: Velora öffnet Veloras (.vld), Vorlagen (.mtp) und Zeichnungen (.%2).</translation>
    </message>
    <message>
        <source>%1 is not a velora (.vld) or template (.mtp) file. Drawings are imported with File / Open.</source>
        <translation>%1 ist keine Velora- (.vld) oder Vorlagendatei (.mtp). Zeichnungen werden mit Datei / Öffnen importiert.</translation>
    </message>
</context>
<context>
    <name>velora::CMosvelDoc</name>
    <message>
        <source>Select template</source>
        <translation>Vorlage auswählen</translation>
    </message>
    <message>
        <source>The new template has no area named %1: their textures were left out.</source>
        <translation>Die neue Vorlage hat keinen Bereich namens %1: deren Texturen wurden weggelassen.</translation>
    </message>
</context>
<context>
    <name>velora::CMosvelTemplateDoc</name>
    <message>
        <source>Not imported: %1.</source>
        <translation>Nicht importiert: %1.</translation>
    </message>
    <message>
        <source>No closed shapes were found.</source>
        <translation>Es wurden keine geschlossenen Formen gefunden.</translation>
    </message>
    <message>
        <source>Are you sure you wanna delete all selected areas?</source>
        <translation>Sollen wirklich alle ausgewählten Bereiche gelöscht werden?</translation>
    </message>
    <message>
        <source>Close gaps</source>
        <translation>Lücken schließen</translation>
    </message>
    <message>
        <source>1 gap closed.</source>
        <translation>1 Lücke geschlossen.</translation>
    </message>
    <message>
        <source>%1 gaps closed.</source>
        <translation>%1 Lücken geschlossen.</translation>
    </message>
</context>
<context>
    <name>velora::CMosvelTemplateView</name>
    <message>
        <source>Template</source>
        <translation>Vorlage</translation>
    </message>
    <message>
        <source>1 part</source>
        <translation>1 Teil</translation>
    </message>
    <message>
        <source>%1 parts</source>
        <translation>%1 Teile</translation>
    </message>
    <message>
        <source>Cut in parts: %1. Each keeps its largest part; %2 left uncaptured.</source>
        <translation>In Teile geschnitten: %1. Jeder behält seinen größten Teil; %2 nicht erfasst.</translation>
    </message>
    <message>
        <source>Nothing captured: this space reaches the edge of the drawing even with gaps of up to %1 pixels closed. Close its outline with the pen, or Shift+click to capture it as it is.</source>
        <translation>Nichts erfasst: Diese Fläche reicht auch mit geschlossenen Lücken bis %1 Pixel an den Rand der Zeichnung. Schließen Sie ihren Umriss mit dem Stift oder erfassen Sie sie mit Umschalt+Klick so, wie sie ist.</translation>
    </message>
    <message>
        <source>1 gap in its outline was closed.</source>
        <translation>1 Lücke im Umriss wurde geschlossen.</translation>
    </message>
    <message>
        <source>%1 gaps in its outline were closed.</source>
        <translation>%1 Lücken im Umriss wurden geschlossen.</translation>
    </message>
    <message>
        <source>Region captured; %1 %2</source>
        <translation>Region erfasst; %1 %2</translation>
    </message>
    <message>
        <source>The region reaches the edge of the drawing: its outline is open somewhere, or it is the space around the drawing.</source>
        <translation>Die Region reicht an den Rand der Zeichnung: Ihr Umriss ist irgendwo offen, oder es ist die Fläche um die Zeichnung.</translation>
    </message>
    <message>
        <source>Take back the click</source>
        <translation>Klick zurücknehmen</translation>
    </message>
</context>
<context>
    <name>velora::CMosvelView</name>
    <message>
        <source>Velora</source>
        <translation>Velora</translation>
    </message>
</context>
<context>
    <name>velora::CMosvelViewBase</name>
    <message>
        <source>Horizontal scroll bar</source>
        <translation>Waagerechte Bildlaufleiste</translation>
    </message>
    <message>
        <source>Vertical scroll bar</source>
        <translation>Senkrechte Bildlaufleiste</translation>
    </message>
</context>
<context>
    <name>velora::CNamePromptDlg</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>velora::CProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
</context>
<context>
    <name>velora::CSendDlg</name>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation>&amp;Senden</translation>
    </message>
    <message>
        <source>Cl&amp;ose</source>
        <translation>Schl&amp;ießen</translation>
    </message>
    <message>
        <source>Sending to server</source>
        <translation>Senden an den Server</translation>
    </message>
    <message>
        <source>Please select &amp;templates you wanna send to server:</source>
        <translation>Bitte die &amp;Vorlagen wählen, die an den Server gesendet werden sollen:</translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation>Bibliotheken</translation>
    </message>
    <message>
        <source>Finished!</source>
        <translation>Fertig!</translation>
    </message>
    <message>
        <source>Aborted!</source>
        <translation>Abgebrochen!</translation>
    </message>
    <message>
        <source>No files were ticked.</source>
        <translation>Es wurden keine Dateien angehakt.</translation>
    </message>
    <message>
        <source>Templates</source>
        <translation>Vorlagen</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Texturen</translation>
    </message>
    <message>
        <source>Veloras</source>
        <translation>Veloras</translation>
    </message>
</context>
<context>
    <name>velora::CStarterOffer</name>
    <message>
        <source>Starter library</source>
        <translation>Startbibliothek</translation>
    </message>
    <message>
        <source>Your libraries are empty. Add a starter library of textures (wood, stone, fabric, colours) and templates to try Velora at once?</source>
        <translation>Ihre Bibliotheken sind leer. Eine Startbibliothek mit Texturen (Holz, Stein, Stoff, Farben) und Vorlagen hinzufügen, um Velora gleich auszuprobieren?</translation>
    </message>
    <message>
        <source>Add &amp;starter library</source>
        <translation>&amp;Startbibliothek hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Not now</source>
        <translation>&amp;Nicht jetzt</translation>
    </message>
</context>
<context>
    <name>velora::CTemplateNameDlg</name>
    <message>
        <source>Template name</source>
        <translation>Vorlagenname</translation>
    </message>
    <message>
        <source>Enter template &amp;name:</source>
        <translation>&amp;Vorlagenname eingeben:</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
</context>
<context>
    <name>velora::CTextureGroupsDlg</name>
    <message>
        <source>Textures groups</source>
        <translation>Texturgruppen</translation>
    </message>
    <message>
        <source>Textures</source>
        <translation>Texturen</translation>
    </message>
    <message>
        <source>C&amp;reate new group</source>
        <translation>Neue &amp;Gruppe</translation>
    </message>
    <message>
        <source>De&amp;lete group</source>
        <translation>Gruppe &amp;löschen</translation>
    </message>
    <message>
        <source>&amp;Add textures...</source>
        <translation>Texturen &amp;hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Delete texture</source>
        <translation>Textur lö&amp;schen</translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Abbrechen</translation>
    </message>
    <message>
        <source>Enter group name</source>
        <translation>Gruppenname eingeben</translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation>Gruppenname:</translation>
    </message>
    <message>
        <source>Would you like to delete selected group and all it&apos;s textures?</source>
        <translation>Möchten Sie die gewählte Gruppe mit allen ihren Texturen löschen?</translation>
    </message>
    <message>
        <source>Would you like to delete selected texture?</source>
        <translation>Möchten Sie die gewählte Textur löschen?</translation>
    </message>
    <message>
        <source>All available formats(*.bmp,*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf)|*.bmp;*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf|All files(*.*)|*.*|</source>
        <translation>Alle lesbaren Formate(*.bmp,*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf)|*.bmp;*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf|Alle Dateien(*.*)|*.*|</translation>
    </message>
</context>
<context>
    <name>velora::CThumbnailGrid</name>
    <message>
        <source>These files could not be copied:</source>
        <translation>Diese Dateien konnten nicht kopiert werden:</translation>
    </message>
    <message>
        <source>These files could not be deleted:</source>
        <translation>Diese Dateien konnten nicht gelöscht werden:</translation>
    </message>
</context>
<context>
    <name>velora::CTiffOptionsPanel</name>
    <message>
        <source>&amp;Compression:</source>
        <translation>&amp;Kompression:</translation>
    </message>
    <message>
        <source>Color &amp;depth:</source>
        <translation>&amp;Farbtiefe:</translation>
    </message>
</context>
<context>
    <name>velora::CVeloraSizeDlg</name>
    <message>
        <source>Velora size</source>
        <translation>Velora-Größe</translation>
    </message>
    <message>
        <source>Standard sizes</source>
        <translation>Standardgrößen</translation>
    </message>
    <message>
        <source>Width</source>
        <translation>Breite</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Höhe</translation>
    </message>
    <message>
        <source>Please specify size for new velora</source>
        <translation>Bitte die Größe der neuen Velora angeben</translation>
    </message>
    <message>
        <source>&amp;Standard sizes:</source>
        <translation>&amp;Standardgrößen:</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>&amp;Breite:</translation>
    </message>
    <message>
        <source>pixels</source>
        <translation>Pixel</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Höhe:</translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation>Bitte eine ganze Zahl eingeben.</translation>
    </message>
    <message>
        <source>&amp;Keep the drawing&apos;s aspect ratio</source>
        <translation>Seitenverhältnis der Zeichnung beib&amp;ehalten</translation>
    </message>
    <message>
        <source>Drawing: %1 × %2 units</source>
        <translation>Zeichnung: %1 × %2 Einheiten</translation>
    </message>
    <message>
        <source>Drawing</source>
        <translation>Zeichnung</translation>
    </message>
    <message>
        <source>&amp;Page:</source>
        <translation>Sei&amp;te:</translation>
    </message>
    <message>
        <source>Page</source>
        <translation>Seite</translation>
    </message>
    <message>
        <source>&amp;Threshold:</source>
        <translation>Sch&amp;wellwert:</translation>
    </message>
    <message>
        <source>Threshold</source>
        <translation>Schwellwert</translation>
    </message>
    <message>
        <source>Grey values up to the threshold are ink, lighter ones paper</source>
        <translation>Grauwerte bis zum Schwellwert sind Tinte, hellere Papier</translation>
    </message>
    <message>
        <source>Drop &amp;specks smaller than:</source>
        <translation>&amp;Flecken entfernen kleiner als:</translation>
    </message>
    <message>
        <source> pixels</source>
        <translation> Pixel</translation>
    </message>
    <message>
        <source>Speck size</source>
        <translation>Fleckengröße</translation>
    </message>
    <message>
        <source>Ink preview</source>
        <translation>Tintenvorschau</translation>
    </message>
    <message>
        <source> of %1</source>
        <translation> von %1</translation>
    </message>
</context>
<context>
    <name>velora::CloseGapsDialog</name>
    <message>
        <source>Close gaps</source>
        <translation>Lücken schließen</translation>
    </message>
    <message>
        <source> pixels</source>
        <translation> Pixel</translation>
    </message>
    <message>
        <source>Widest gap</source>
        <translation>Breiteste Lücke</translation>
    </message>
    <message>
        <source>Open ends of the outlines are joined to the nearest outline across gaps up to this wide. The joins are shown in the template.</source>
        <translation>Offene Enden der Umrisse werden über Lücken bis zu dieser Breite mit dem nächsten Umriss verbunden. Die Verbindungen werden in der Vorlage gezeigt.</translation>
    </message>
    <message>
        <source>&amp;Widest gap:</source>
        <translation>&amp;Breiteste Lücke:</translation>
    </message>
    <message>
        <source>No gap of up to %1 pixels was found.</source>
        <translation>Es wurde keine Lücke bis %1 Pixel gefunden.</translation>
    </message>
    <message>
        <source>1 gap will be closed.</source>
        <translation>1 Lücke wird geschlossen.</translation>
    </message>
    <message>
        <source>%1 gaps will be closed.</source>
        <translation>%1 Lücken werden geschlossen.</translation>
    </message>
</context>
<context>
    <name>velora::DocumentBase</name>
    <message>
        <source>Untitled</source>
        <translation>Unbenannt</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Änderungen an %1 speichern?</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Rückgängig: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Wiederholen: %1</translation>
    </message>
    <message>
        <source>An area needs a name.</source>
        <translation>Ein Bereich braucht einen Namen.</translation>
    </message>
    <message>
        <source>There is an area named &quot;%1&quot; already. Please enter another name.</source>
        <translation>Es gibt bereits einen Bereich namens „%1“. Bitte einen anderen Namen eingeben.</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Rückgängig</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Wiederholen</translation>
    </message>
</context>
<context>
    <name>velora::NoticeBar</name>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>Dismiss</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Dismiss notice</source>
        <translation>Hinweis schließen</translation>
    </message>
</context>
<context>
    <name>velora::PictureBuilder</name>
    <message>
        <source>Drawing the picture...</source>
        <translation>Bild wird gezeichnet...</translation>
    </message>
</context>
</TS>
