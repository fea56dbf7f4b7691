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
            <source>Would you like to delete selected folder and all it's templates?</source>
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
            <source>Would you like to delete selected folder and all it's velroas?</source>
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
            <source>Create area from selected</source>
            <translation>Bereich aus Auswahl erstellen</translation>
        </message>
        <message>
            <source>Add selected to existing area</source>
            <translation>Auswahl zu vorhandenem Bereich hinzufügen</translation>
        </message>
        <message>
            <source>Delete selected from existing area</source>
            <translation>Auswahl aus vorhandenem Bereich löschen</translation>
        </message>
        <message>
            <source>Delete selected from cache</source>
            <translation>Auswahl aus dem Zwischenspeicher löschen</translation>
        </message>
        <message>
            <source>Delete selected areas</source>
            <translation>Ausgewählte Bereiche löschen</translation>
        </message>
        <message>
            <source>Delete area</source>
            <translation>Bereich löschen</translation>
        </message>
        <message>
            <source>Rename area</source>
            <translation>Bereich umbenennen</translation>
        </message>
        <message>
            <source>Template name</source>
            <translation>Vorlagenname</translation>
        </message>
        <message>
            <source>Smooth lines</source>
            <translation>Linien glätten</translation>
        </message>
        <message>
            <source>Colour "%1"</source>
            <translation>„%1“ ausmalen</translation>
        </message>
        <message>
            <source>Remove texture</source>
            <translation>Textur entfernen</translation>
        </message>
        <message>
            <source>Pen stroke</source>
            <translation>Stiftstrich</translation>
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
            <source>The CA file "%1" does not exist.</source>
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
            <source>"%1" cannot be used as a folder name.</source>
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
            <source>A name cannot contain "/".</source>
            <translation>Ein Name darf kein „/“ enthalten.</translation>
        </message>
        <message>
            <source>"%1" would not show in the library: a name cannot contain a dot.</source>
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
            <translation>Bearbeitungsverlauf</translation>
        </message>
        <message numerus="yes">
            <source>(%n older step(s) dropped: the history keeps at most %1 MB)</source>
            <translation>
                <numerusform>(%n älterer Schritt verworfen: Der Verlauf behält höchstens %1 MB)</numerusform>
                <numerusform>(%n ältere Schritte verworfen: Der Verlauf behält höchstens %1 MB)</numerusform>
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
            <translation>Die neue Vorlage hat keinen Bereich namens %1: Ihre Texturen wurden weggelassen.</translation>
        </message>
    </context>
    <context>
        <name>velora::CMosvelTemplateView</name>
        <message>
            <source>Template</source>
            <translation>Vorlage</translation>
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
            <source>Would you like to delete selected group and all it's textures?</source>
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
    </context>
    <context>
        <name>velora::DocumentBase</name>
        <message>
            <source>&amp;Undo</source>
            <translation>&amp;Rückgängig</translation>
        </message>
        <message>
            <source>&amp;Redo</source>
            <translation>&amp;Wiederholen</translation>
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
            <source>There is an area named "%1" already. Please enter another name.</source>
            <translation>Es gibt bereits einen Bereich namens „%1“. Bitte geben Sie einen anderen Namen ein.</translation>
        </message>
    </context>
</TS>
