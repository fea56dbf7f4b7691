<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>QObject</name>
    <message>
        <source>Recent File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open this document</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora</name>
    <message>
        <source>Adding the starter library...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turns drawings into colouring templates and colours them with textures.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>files</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Designs (.vld) and templates (.mtp) to open, drawings (.dxf, .wmf, .emf) to import as new templates.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>[FILE...]</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The design has nothing to export yet: select a template for it first.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>cannot be written: there is no folder %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate 90°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate 180°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rotate 270°</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip horizontally</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Flip vertically</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LZW</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CCITT Group 3 (black and white)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CCITT Group 4 (black and white)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CCITT RLE (black and white)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1 bit (black and white)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4 bits (16 colours)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>8 bits (256 colours)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>24 bits (true colour)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>32 bits (true colour and alpha)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Address:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Port:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Login:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pass&amp;word:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;CA file (private server, optional):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ser&amp;ver:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unexpected error!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select folder for template and type template name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to delete selected folder and all it&apos;s templates?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mosvel template(*.mtp)|*.mtp|</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add templates...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete template</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to delete selected template?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select velora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veloras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velora &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select velora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select folder for velora and type velora name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to delete selected folder and all it&apos;s velroas?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Folder(from root, e.g. /templates):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Folder(from root, e.g. /textures):</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Folder(from root, e.g. /veloras):</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CAboutDlg</name>
    <message>
        <source>About Orvane Velora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Velora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version 1.0</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CAreaNameDlg</name>
    <message>
        <source>Area name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Enter area name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CAreasBar</name>
    <message>
        <source>Areas</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Areas:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Te&amp;xtures:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Texture groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Textures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add all group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove all group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add all</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Remove all</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CBannerBar</name>
    <message>
        <source>Banner</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CConnectionDlg</name>
    <message>
        <source>Connection setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Textures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Te&amp;xtures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veloras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>V&amp;eloras</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proxy &amp;server setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Use TLS (encrypted connection)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Proxy server setup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Use proxy</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter an integer between 0 and 65535.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The CA file &quot;%1&quot; does not exist.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CDownloadDlg</name>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download &amp;all files, also unchanged ones</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Download</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Connecting...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File(%1 of %2): %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No server is set up. Enter the servers in File / Connection setup...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files were not downloaded:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 downloaded, %2 unchanged, %3 failed.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CExportDlg</name>
    <message>
        <source>Options</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Maintain aspect ratio</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;ormat:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please type a file name.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CFolderLibraryDlg</name>
    <message>
        <source>Folders</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; cannot be used as a folder name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>already in this folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files were not added:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files could not be copied:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CHelpWindow</name>
    <message>
        <source>Velora Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User guide</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CJpegOptionsPanel</name>
    <message>
        <source>Jpeg quality</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>None</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Jpeg &amp;quality:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>T&amp;ransformation:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CKestBrowseEdit</name>
    <message>
        <source>Browse</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CLibraryDlg</name>
    <message>
        <source>C&amp;reate folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De&amp;lete folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter folder name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please type a name.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A name cannot contain &quot;/&quot;.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&quot;%1&quot; would not show in the library: a name cannot contain a dot.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File already exist. Do you want to replace the file?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CMainFrame</name>
    <message>
        <source>Documents</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Banner</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Main tool bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Template tool bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Areas</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CMosvelApp</name>
    <message>
        <source>The starter library was added (%1 files). Try File &gt; New velora, then Template &gt; Select template...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 cannot be opened: Velora opens veloras (.vld), templates (.mtp) and drawings (.%2).</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1 is not a velora (.vld) or template (.mtp) file. Drawings are imported with File / Open.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CMosvelTemplateView</name>
    <message>
        <source>Template</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CMosvelView</name>
    <message>
        <source>Velora</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CMosvelViewBase</name>
    <message>
        <source>Horizontal scroll bar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vertical scroll bar</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CNamePromptDlg</name>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CProgressWindow</name>
    <message>
        <source>Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CSendDlg</name>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Send</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Cl&amp;ose</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sending to server</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please select &amp;templates you wanna send to server:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Libraries</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Finished!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Aborted!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No files were ticked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Templates</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Textures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Veloras</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CStarterOffer</name>
    <message>
        <source>&amp;Add starter library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>No&amp;t now</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Starter library</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Your libraries are empty. Add a starter library of textures (wood, stone, fabric, colours) and templates to try Velora at once?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CTemplateNameDlg</name>
    <message>
        <source>Template name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter template &amp;name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CTextureGroupsDlg</name>
    <message>
        <source>Textures groups</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Textures</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C&amp;reate new group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De&amp;lete group</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Add textures...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Delete texture</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;OK</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter group name</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Group name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to delete selected group and all it&apos;s textures?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Would you like to delete selected texture?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>All available formats(*.bmp,*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf)|*.bmp;*.gif;*.jpeg;*.jpg;*.png;*.tiff;*.emf|All files(*.*)|*.*|</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CThumbnailGrid</name>
    <message>
        <source>These files could not be copied:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>These files could not be deleted:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CTiffOptionsPanel</name>
    <message>
        <source>&amp;Compression:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Color &amp;depth:</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>velora::CVeloraSizeDlg</name>
    <message>
        <source>Velora size</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Standard sizes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Width</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Height</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please specify size for new velora</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Standard sizes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>pixels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Please enter an integer.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
