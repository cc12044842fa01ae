<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="cs_CZ">
<context>
    <name>CAboutDlg</name>
    <message>
        <source>About Kubo</source>
        <translation>O programu Kubo</translation>
    </message>
    <message>
        <source>Kubo Version %s</source>
        <translation>Kubo verze %s</translation>
    </message>
    <message>
        <source>Reads, shows and exports the flights of a barometric altimeter.
Copyright © Tervane and the Kubo contributors.
Built with Qt %1.</source>
        <translation>Čte, zobrazuje a exportuje lety barometrického výškoměru.
Copyright © Tervane a přispěvatelé projektu Kubo.
Sestaveno s Qt %1.</translation>
    </message>
    <message>
        <source>Kubo on the web</source>
        <translation>Kubo na webu</translation>
    </message>
    <message>
        <source>Write to the makers</source>
        <translation>Napište autorům</translation>
    </message>
</context>
<context>
    <name>CAltitudeFormulaDlg</name>
    <message>
        <source>Define Altitude Formula</source>
        <translation>Vzorec pro výšku</translation>
    </message>
    <message>
        <source>Altitude &amp;Formula:</source>
        <translation>&amp;Vzorec pro výšku:</translation>
    </message>
    <message>
        <source>&amp;Recently used altitude formulas:</source>
        <translation>&amp;Naposledy použité vzorce pro výšku:</translation>
    </message>
    <message>
        <source>PA is calculated altitude pressure
PR is calculated reference pressure</source>
        <translation>PA je vypočtený tlak ve výšce
PR je vypočtený referenční tlak</translation>
    </message>
</context>
<context>
    <name>CChartCustomizeDialog</name>
    <message>
        <source>Graph Settings</source>
        <translation>Nastavení grafu</translation>
    </message>
    <message>
        <source>Titles</source>
        <translation>Nadpisy</translation>
    </message>
    <message>
        <source>&amp;Main title:</source>
        <translation>&amp;Hlavní nadpis:</translation>
    </message>
    <message>
        <source>&amp;Subtitle:</source>
        <translation>&amp;Podnadpis:</translation>
    </message>
    <message>
        <source>&amp;X axis:</source>
        <translation>Osa &amp;X:</translation>
    </message>
    <message>
        <source>&amp;Y axis:</source>
        <translation>Osa &amp;Y:</translation>
    </message>
    <message>
        <source>Fonts</source>
        <translation>Písma</translation>
    </message>
    <message>
        <source>Main title:</source>
        <translation>Hlavní nadpis:</translation>
    </message>
    <message>
        <source>Subtitle:</source>
        <translation>Podnadpis:</translation>
    </message>
    <message>
        <source>Labels:</source>
        <translation>Popisky:</translation>
    </message>
    <message>
        <source>Colours and grid</source>
        <translation>Barvy a mřížka</translation>
    </message>
    <message>
        <source>Show &amp;grid lines</source>
        <translation>Zobrazit čáry &amp;mřížky</translation>
    </message>
    <message>
        <source>Show &amp;legend</source>
        <translation>Zobrazit &amp;legendu</translation>
    </message>
    <message>
        <source>Desk:</source>
        <translation>Pozadí:</translation>
    </message>
    <message>
        <source>Graph area:</source>
        <translation>Plocha grafu:</translation>
    </message>
    <message>
        <source>Grid:</source>
        <translation>Mřížka:</translation>
    </message>
    <message>
        <source>Subsets</source>
        <translation>Datové řady</translation>
    </message>
    <message>
        <source>Subset %1</source>
        <translation>Řada %1</translation>
    </message>
</context>
<context>
    <name>CColourPicker</name>
    <message>
        <source>Black</source>
        <translation>Černá</translation>
    </message>
    <message>
        <source>Grey</source>
        <translation>Šedá</translation>
    </message>
    <message>
        <source>Silver</source>
        <translation>Stříbrná</translation>
    </message>
    <message>
        <source>White</source>
        <translation>Bílá</translation>
    </message>
    <message>
        <source>Maroon</source>
        <translation>Kaštanová</translation>
    </message>
    <message>
        <source>Red</source>
        <translation>Červená</translation>
    </message>
    <message>
        <source>Orange</source>
        <translation>Oranžová</translation>
    </message>
    <message>
        <source>Yellow</source>
        <translation>Žlutá</translation>
    </message>
    <message>
        <source>Olive</source>
        <translation>Olivová</translation>
    </message>
    <message>
        <source>Lime</source>
        <translation>Limetková</translation>
    </message>
    <message>
        <source>Green</source>
        <translation>Zelená</translation>
    </message>
    <message>
        <source>Teal</source>
        <translation>Modrozelená</translation>
    </message>
    <message>
        <source>Aqua</source>
        <translation>Azurová</translation>
    </message>
    <message>
        <source>Sky Blue</source>
        <translation>Blankytná</translation>
    </message>
    <message>
        <source>Blue</source>
        <translation>Modrá</translation>
    </message>
    <message>
        <source>Navy</source>
        <translation>Námořnická modř</translation>
    </message>
    <message>
        <source>Purple</source>
        <translation>Purpurová</translation>
    </message>
    <message>
        <source>Fuchsia</source>
        <translation>Fuchsiová</translation>
    </message>
    <message>
        <source>Pink</source>
        <translation>Růžová</translation>
    </message>
    <message>
        <source>Brown</source>
        <translation>Hnědá</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Výchozí</translation>
    </message>
    <message>
        <source>Custom...</source>
        <translation>Vlastní...</translation>
    </message>
</context>
<context>
    <name>CDataViewGraph</name>
    <message>
        <source>No data in graph</source>
        <translation>Graf neobsahuje žádná data</translation>
    </message>
    <message>
        <source>sec</source>
        <translation>s</translation>
    </message>
    <message>
        <source>Time axis in seconds</source>
        <translation>Časová osa v sekundách</translation>
    </message>
    <message>
        <source>offsets:</source>
        <translation>posuny:</translation>
    </message>
    <message>
        <source>Offsets of the selected flight</source>
        <translation>Posuny vybraného letu</translation>
    </message>
    <message>
        <source>Time offset</source>
        <translation>Časový posun</translation>
    </message>
    <message>
        <source>Altitude offset</source>
        <translation>Výškový posun</translation>
    </message>
    <message>
        <source>the clipboard</source>
        <translation>schránka</translation>
    </message>
    <message>
        <source>New Annotation</source>
        <translation>Nová poznámka</translation>
    </message>
    <message>
        <source>Data Point</source>
        <translation>Datový bod</translation>
    </message>
    <message>
        <source>Horizontal Line</source>
        <translation>Vodorovná čára</translation>
    </message>
    <message>
        <source>Vertical Line</source>
        <translation>Svislá čára</translation>
    </message>
    <message>
        <source>Edit Annotations</source>
        <translation>Upravit poznámky</translation>
    </message>
    <message>
        <source>&amp;Apply Offsets (Set [0,0])</source>
        <translation>&amp;Použít posuny (nastavit [0,0])</translation>
    </message>
    <message>
        <source>&amp;Reset All Offsets</source>
        <translation>&amp;Zrušit všechny posuny</translation>
    </message>
    <message>
        <source>Graph of the shown flights</source>
        <translation>Graf zobrazených letů</translation>
    </message>
</context>
<context>
    <name>CDataViewInfo</name>
    <message>
        <source>embedded objects</source>
        <translation>vložené objekty</translation>
    </message>
    <message>
        <source>pictures other than PNG or JPEG</source>
        <translation>obrázky jiné než PNG nebo JPEG</translation>
    </message>
    <message>
        <source>fields</source>
        <translation>pole</translation>
    </message>
    <message>
        <source>tables</source>
        <translation>tabulky</translation>
    </message>
    <message>
        <source>numbered lists</source>
        <translation>číslované seznamy</translation>
    </message>
    <message>
        <source>footnotes or annotations</source>
        <translation>poznámky pod čarou nebo komentáře</translation>
    </message>
    <message>
        <source>headers or footers</source>
        <translation>záhlaví nebo zápatí</translation>
    </message>
    <message>
        <source>drawings</source>
        <translation>kresby</translation>
    </message>
    <message>
        <source>deeply nested groups</source>
        <translation>hluboce vnořené skupiny</translation>
    </message>
    <message>
        <source>Flight Information</source>
        <translation>Informace o letu</translation>
    </message>
    <message>
        <source>&amp;Calculations...</source>
        <translation>&amp;Výpočty...</translation>
    </message>
    <message>
        <source>ms</source>
        <translation>ms</translation>
    </message>
    <message>
        <source>Ver:</source>
        <translation>Verze:</translation>
    </message>
    <message>
        <source>Date of Read:</source>
        <translation>Datum čtení:</translation>
    </message>
    <message>
        <source>Sample Rate:</source>
        <translation>Vzorkování:</translation>
    </message>
    <message>
        <source>Flight Time:</source>
        <translation>Doba letu:</translation>
    </message>
    <message>
        <source>Max. Altitude:</source>
        <translation>Max. výška:</translation>
    </message>
    <message>
        <source>Session Comments: (use Ctrl+Tab to insert Tab character)</source>
        <translation>Komentáře k sezení: (tabulátor vložíte klávesami Ctrl+Tab)</translation>
    </message>
    <message>
        <source>Edit anyway (embedded objects will be removed)</source>
        <translation>Přesto upravit (vložené objekty budou odstraněny)</translation>
    </message>
    <message>
        <source>These comments contain %1, which this editor cannot keep. They are shown read-only so that nothing is lost.</source>
        <translation>Tyto komentáře obsahují %1, které tento editor nedokáže zachovat. Zobrazují se jen pro čtení, aby se nic neztratilo.</translation>
    </message>
</context>
<context>
    <name>CDataViewTrack</name>
    <message>
        <source>Close the data measurements</source>
        <translation>Zavřít měření dat</translation>
    </message>
    <message>
        <source>Time:</source>
        <translation>Čas:</translation>
    </message>
    <message>
        <source>Altitude:</source>
        <translation>Výška:</translation>
    </message>
    <message>
        <source>From:</source>
        <translation>Od:</translation>
    </message>
    <message>
        <source>To:</source>
        <translation>Do:</translation>
    </message>
    <message>
        <source>Delta:</source>
        <translation>Rozdíl:</translation>
    </message>
    <message>
        <source>User Calculation1:</source>
        <translation>Vlastní výpočet 1:</translation>
    </message>
    <message>
        <source>User Calculation2:</source>
        <translation>Vlastní výpočet 2:</translation>
    </message>
    <message>
        <source>Define the user calculation</source>
        <translation>Nastavit vlastní výpočet</translation>
    </message>
    <message>
        <source>&amp;Copy to Clipboard</source>
        <translation>&amp;Kopírovat do schránky</translation>
    </message>
    <message>
        <source>Copy to &amp;Info</source>
        <translation>Kopírovat do &amp;informací</translation>
    </message>
</context>
<context>
    <name>CEditAnnotationDlg</name>
    <message>
        <source>Edit Annotation</source>
        <translation>Upravit poznámku</translation>
    </message>
    <message>
        <source>Annotation &amp;visible</source>
        <translation>Poznámka &amp;viditelná</translation>
    </message>
    <message>
        <source>A&amp;nnotation Type</source>
        <translation>&amp;Typ poznámky</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Vodorovná</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Svislá</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Datová</translation>
    </message>
    <message>
        <source>&amp;Coordinates (relative to Flight data)</source>
        <translation>&amp;Souřadnice (vzhledem k datům letu)</translation>
    </message>
    <message>
        <source>meters</source>
        <translation>metry</translation>
    </message>
    <message>
        <source>&amp;Time:</source>
        <translation>Č&amp;as:</translation>
    </message>
    <message>
        <source>&amp;Altitude:</source>
        <translation>&amp;Výška:</translation>
    </message>
    <message>
        <source>Color:</source>
        <translation>Barva:</translation>
    </message>
    <message>
        <source>Te&amp;xt:</source>
        <translation>Te&amp;xt:</translation>
    </message>
    <message>
        <source>A&amp;lignment:</source>
        <translation>&amp;Zarovnání:</translation>
    </message>
    <message>
        <source>&amp;Style:</source>
        <translation>S&amp;tyl:</translation>
    </message>
</context>
<context>
    <name>CFindReplaceDlg</name>
    <message>
        <source>Fi&amp;nd what:</source>
        <translation>&amp;Hledat:</translation>
    </message>
    <message>
        <source>Re&amp;place with:</source>
        <translation>&amp;Nahradit čím:</translation>
    </message>
    <message>
        <source>Match &amp;whole word only</source>
        <translation>Jen &amp;celá slova</translation>
    </message>
    <message>
        <source>Match &amp;case</source>
        <translation>&amp;Rozlišovat velikost písmen</translation>
    </message>
    <message>
        <source>Direction</source>
        <translation>Směr</translation>
    </message>
    <message>
        <source>&amp;Up</source>
        <translation>Na&amp;horu</translation>
    </message>
    <message>
        <source>&amp;Down</source>
        <translation>&amp;Dolů</translation>
    </message>
    <message>
        <source>&amp;Find Next</source>
        <translation>Najít &amp;další</translation>
    </message>
    <message>
        <source>&amp;Replace</source>
        <translation>Nah&amp;radit</translation>
    </message>
    <message>
        <source>Replace &amp;All</source>
        <translation>Nahradit &amp;vše</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Nahradit</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Najít</translation>
    </message>
</context>
<context>
    <name>CFlightAnnotationsDlg</name>
    <message>
        <source>Flight Annotations</source>
        <translation>Poznámky letu</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Přidat...</translation>
    </message>
    <message>
        <source>&amp;Edit...</source>
        <translation>&amp;Upravit...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Odstranit</translation>
    </message>
</context>
<context>
    <name>CFormulaDlg</name>
    <message>
        <source>DEL</source>
        <translation>ODEBRAT</translation>
    </message>
    <message>
        <source>GET</source>
        <translation>VZÍT</translation>
    </message>
    <message>
        <source>ADD</source>
        <translation>PŘIDAT</translation>
    </message>
</context>
<context>
    <name>CFormulaSetDlg</name>
    <message>
        <source>Calculations</source>
        <translation>Výpočty</translation>
    </message>
    <message>
        <source>&amp;Pressure:</source>
        <translation>&amp;Tlak:</translation>
    </message>
    <message>
        <source>&amp;Altitude:</source>
        <translation>&amp;Výška:</translation>
    </message>
    <message>
        <source>X is number read from the device</source>
        <translation>X je číslo přečtené z přístroje</translation>
    </message>
    <message>
        <source>(in meters)</source>
        <translation>(v metrech)</translation>
    </message>
    <message>
        <source>PA is calculated altitude pressure
PR is calculated reference pressure</source>
        <translation>PA je vypočtený tlak ve výšce
PR je vypočtený referenční tlak</translation>
    </message>
</context>
<context>
    <name>CMainApp</name>
    <message>
        <source>Print Setup</source>
        <translation>Nastavení tiskárny</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>CMainFrame</name>
    <message>
        <source>Toolbar</source>
        <translation>Panel nástrojů</translation>
    </message>
</context>
<context>
    <name>CMainMenu</name>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Soubor</translation>
    </message>
    <message>
        <source>&amp;New	Ctrl+N</source>
        <translation>&amp;Nový	Ctrl+N</translation>
    </message>
    <message>
        <source>&amp;Open...	Ctrl+O</source>
        <translation>&amp;Otevřít...	Ctrl+O</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Uložit	Ctrl+S</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Uložit j&amp;ako...</translation>
    </message>
    <message>
        <source>&amp;Import</source>
        <translation>&amp;Importovat</translation>
    </message>
    <message>
        <source>&amp;Kubo Data File...</source>
        <translation>&amp;Datový soubor Kubo...</translation>
    </message>
    <message>
        <source>&amp;Raw Text File...</source>
        <translation>&amp;Textový soubor se surovými daty...</translation>
    </message>
    <message>
        <source>E&amp;xport Selected</source>
        <translation>&amp;Exportovat vybrané</translation>
    </message>
    <message>
        <source>Translated data to text...</source>
        <translation>Přepočtená data do textu...</translation>
    </message>
    <message>
        <source>Raw data to text...</source>
        <translation>Surová data do textu...</translation>
    </message>
    <message>
        <source>&amp;Print...	Ctrl+P</source>
        <translation>&amp;Tisk...	Ctrl+P</translation>
    </message>
    <message>
        <source>Print Pre&amp;view</source>
        <translation>Ná&amp;hled tisku</translation>
    </message>
    <message>
        <source>Pa&amp;ge Setup...</source>
        <translation>Vzhled &amp;stránky...</translation>
    </message>
    <message>
        <source>P&amp;rint Setup...</source>
        <translation>Nastavení tiskárn&amp;y...</translation>
    </message>
    <message>
        <source>Recent File</source>
        <translation>Nedávný soubor</translation>
    </message>
    <message>
        <source>E&amp;xit	Alt+F4</source>
        <translation>&amp;Konec	Alt+F4</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>Úp&amp;ravy</translation>
    </message>
    <message>
        <source>Edit Name	F2</source>
        <translation>Přejmenovat	F2</translation>
    </message>
    <message>
        <source>Delete	Del</source>
        <translation>Odstranit	Del</translation>
    </message>
    <message>
        <source>Cu&amp;t	Ctrl+X</source>
        <translation>Vyjmou&amp;t	Ctrl+X</translation>
    </message>
    <message>
        <source>&amp;Copy	Ctrl+C</source>
        <translation>&amp;Kopírovat	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Paste	Ctrl+V</source>
        <translation>V&amp;ložit	Ctrl+V</translation>
    </message>
    <message>
        <source>Paste &amp;Special...</source>
        <translation>Vložit &amp;jinak...</translation>
    </message>
    <message>
        <source>Select A&amp;ll	Ctrl+A</source>
        <translation>Vybrat vš&amp;e	Ctrl+A</translation>
    </message>
    <message>
        <source>&amp;Undo	Ctrl+Z</source>
        <translation>&amp;Zpět	Ctrl+Z</translation>
    </message>
    <message>
        <source>&amp;Redo	Ctrl+Y</source>
        <translation>Zno&amp;vu	Ctrl+Y</translation>
    </message>
    <message>
        <source>&amp;Find...	Ctrl+F</source>
        <translation>&amp;Najít...	Ctrl+F</translation>
    </message>
    <message>
        <source>F&amp;ind Next	F3</source>
        <translation>Najít &amp;další	F3</translation>
    </message>
    <message>
        <source>R&amp;eplace	Ctrl+H</source>
        <translation>Na&amp;hradit	Ctrl+H</translation>
    </message>
    <message>
        <source>Insert &amp;New Object...</source>
        <translation>Vložit nový &amp;objekt...</translation>
    </message>
    <message>
        <source>Lin&amp;ks...</source>
        <translation>&amp;Propojení...</translation>
    </message>
    <message>
        <source>Object P&amp;roperties	Alt+Enter</source>
        <translation>Vlast&amp;nosti objektu	Alt+Enter</translation>
    </message>
    <message>
        <source>Object Actions...</source>
        <translation>Akce objektu...</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Zobrazit</translation>
    </message>
    <message>
        <source>&amp;Info Page	Alt+1</source>
        <translation>&amp;Informace	Alt+1</translation>
    </message>
    <message>
        <source>&amp;Graph Page	Alt+2</source>
        <translation>&amp;Graf	Alt+2</translation>
    </message>
    <message>
        <source>&amp;Data Measurements</source>
        <translation>&amp;Měření dat</translation>
    </message>
    <message>
        <source>&amp;Toolbar</source>
        <translation>&amp;Panel nástrojů</translation>
    </message>
    <message>
        <source>&amp;Status Bar</source>
        <translation>&amp;Stavový řádek</translation>
    </message>
    <message>
        <source>For&amp;mat</source>
        <translation>&amp;Formát</translation>
    </message>
    <message>
        <source>&amp;Font...	Ctrl+Shift+F</source>
        <translation>&amp;Písmo...	Ctrl+Shift+F</translation>
    </message>
    <message>
        <source>&amp;Bold	Ctrl+B</source>
        <translation>&amp;Tučné	Ctrl+B</translation>
    </message>
    <message>
        <source>&amp;Italic	Ctrl+I</source>
        <translation>&amp;Kurzíva	Ctrl+I</translation>
    </message>
    <message>
        <source>&amp;Underline	Ctrl+U</source>
        <translation>Po&amp;dtržené	Ctrl+U</translation>
    </message>
    <message>
        <source>&amp;Bullet Style</source>
        <translation>&amp;Odrážky</translation>
    </message>
    <message>
        <source>&amp;Graph</source>
        <translation>&amp;Graf</translation>
    </message>
    <message>
        <source>&amp;Copy Picture	Ctrl+C</source>
        <translation>&amp;Kopírovat obrázek	Ctrl+C</translation>
    </message>
    <message>
        <source>&amp;Save Picture...</source>
        <translation>&amp;Uložit obrázek...</translation>
    </message>
    <message>
        <source>Measurement Mode	Ctrl+M</source>
        <translation>Režim měření	Ctrl+M</translation>
    </message>
    <message>
        <source>&amp;Zoom</source>
        <translation>&amp;Lupa</translation>
    </message>
    <message>
        <source>&amp;Horizontal Zoom Only</source>
        <translation>Jen &amp;vodorovně</translation>
    </message>
    <message>
        <source>Horz and &amp;Vert Zoom</source>
        <translation>Vodorovně i &amp;svisle</translation>
    </message>
    <message>
        <source>Zoom &amp;Out</source>
        <translation>&amp;Oddálit</translation>
    </message>
    <message>
        <source>Zoom &amp;All</source>
        <translation>Zobrazit &amp;vše</translation>
    </message>
    <message>
        <source>Data &amp;Cursor</source>
        <translation>Datový &amp;kurzor</translation>
    </message>
    <message>
        <source>&amp;No Cursor</source>
        <translation>&amp;Bez kurzoru</translation>
    </message>
    <message>
        <source>X &amp;Points</source>
        <translation>Body &amp;X</translation>
    </message>
    <message>
        <source>XY &amp;Crosshair</source>
        <translation>&amp;Nitkový kříž XY</translation>
    </message>
    <message>
        <source>XY &amp;Square</source>
        <translation>&amp;Čtverec XY</translation>
    </message>
    <message>
        <source>&amp;Floating Y</source>
        <translation>&amp;Plovoucí Y</translation>
    </message>
    <message>
        <source>F&amp;loating XY</source>
        <translation>Plovoucí X&amp;Y</translation>
    </message>
    <message>
        <source>Ne&amp;xt Subset</source>
        <translation>&amp;Další řada</translation>
    </message>
    <message>
        <source>&amp;Flight Annotation...	Ctrl+T</source>
        <translation>&amp;Poznámky letu...	Ctrl+T</translation>
    </message>
    <message>
        <source>Graph Settings...</source>
        <translation>Nastavení grafu...</translation>
    </message>
    <message>
        <source>&amp;Data</source>
        <translation>&amp;Data</translation>
    </message>
    <message>
        <source>&amp;Read Data	Ctrl+R</source>
        <translation>&amp;Číst data	Ctrl+R</translation>
    </message>
    <message>
        <source>&amp;Insert Empty Session</source>
        <translation>&amp;Vložit prázdné sezení</translation>
    </message>
    <message>
        <source>&amp;Settings...</source>
        <translation>&amp;Nastavení...</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Nápověda</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;O programu...</translation>
    </message>
    <message>
        <source>Next Pane</source>
        <translation>Další stránka</translation>
    </message>
    <message>
        <source>Previous Pane</source>
        <translation>Předchozí stránka</translation>
    </message>
</context>
<context>
    <name>COptionsDlg</name>
    <message>
        <source>Options</source>
        <translation>Možnosti</translation>
    </message>
    <message>
        <source>Read Data opens this device. Choose a port from the list to fill it in, or type the path of any serial device or pseudo-terminal.</source>
        <translation>Čtení dat otevírá toto zařízení. Vyberte port ze seznamu, nebo zadejte cestu k libovolnému sériovému zařízení či pseudoterminálu.</translation>
    </message>
    <message>
        <source>S&amp;etup...</source>
        <translation>Nas&amp;tavit...</translation>
    </message>
    <message>
        <source>Altitude in &amp;Feet</source>
        <translation>Výška ve &amp;stopách</translation>
    </message>
    <message>
        <source>Sa&amp;ve as default</source>
        <translation>Ul&amp;ožit jako výchozí</translation>
    </message>
    <message>
        <source>Communication</source>
        <translation>Komunikace</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>P&amp;ort:</translation>
    </message>
    <message>
        <source>&amp;Device:</source>
        <translation>&amp;Zařízení:</translation>
    </message>
    <message>
        <source>Default Formulas (applied to newly created/read Flight data)</source>
        <translation>Výchozí vzorce (pro nově vytvořená či přečtená data letu)</translation>
    </message>
    <message>
        <source>&amp;Pressure:</source>
        <translation>&amp;Tlak:</translation>
    </message>
    <message>
        <source>&amp;Altitude:</source>
        <translation>&amp;Výška:</translation>
    </message>
    <message>
        <source>Note: To change calculation formulas of existing Flight data, press &apos;Calculations&apos; button on &apos;Info&apos; pane, when the Flight is selected.</source>
        <translation>Poznámka: Vzorce výpočtu u existujících dat letu změníte tlačítkem &apos;Výpočty&apos; na stránce &apos;Informace&apos;, když je let vybraný.</translation>
    </message>
    <message>
        <source>X is number read from the HW device</source>
        <translation>X je číslo přečtené z přístroje</translation>
    </message>
    <message>
        <source>PA is calculated altitude pressure
PR is calculated reference pressure</source>
        <translation>PA je vypočtený tlak ve výšce
PR je vypočtený referenční tlak</translation>
    </message>
    <message>
        <source>(in meters)</source>
        <translation>(v metrech)</translation>
    </message>
    <message>
        <source>Display Units</source>
        <translation>Zobrazované jednotky</translation>
    </message>
</context>
<context>
    <name>CPortSettingsDlg</name>
    <message>
        <source>Port Settings</source>
        <translation>Nastavení portu</translation>
    </message>
    <message>
        <source>%1 Properties</source>
        <translation>Vlastnosti %1</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Žádná</translation>
    </message>
    <message>
        <source>Odd</source>
        <translation>Lichá</translation>
    </message>
    <message>
        <source>Even</source>
        <translation>Sudá</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>Značka</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>Mezera</translation>
    </message>
    <message>
        <source>Xon / Xoff</source>
        <translation>Xon / Xoff</translation>
    </message>
    <message>
        <source>Hardware</source>
        <translation>Hardwarové</translation>
    </message>
    <message>
        <source>&amp;Bits per second:</source>
        <translation>&amp;Bitů za sekundu:</translation>
    </message>
    <message>
        <source>&amp;Data bits:</source>
        <translation>&amp;Datové bity:</translation>
    </message>
    <message>
        <source>&amp;Parity:</source>
        <translation>&amp;Parita:</translation>
    </message>
    <message>
        <source>&amp;Stop bits:</source>
        <translation>&amp;Stop bity:</translation>
    </message>
    <message>
        <source>&amp;Flow control:</source>
        <translation>Řízení &amp;toku:</translation>
    </message>
    <message>
        <source>&amp;Restore Defaults</source>
        <translation>&amp;Obnovit výchozí</translation>
    </message>
</context>
<context>
    <name>CPressureFormulaDlg</name>
    <message>
        <source>Define Pressure Formula</source>
        <translation>Vzorec pro tlak</translation>
    </message>
    <message>
        <source>Pressure &amp;Formula:</source>
        <translation>&amp;Vzorec pro tlak:</translation>
    </message>
    <message>
        <source>&amp;Recently used pressure formulas:</source>
        <translation>&amp;Naposledy použité vzorce pro tlak:</translation>
    </message>
    <message>
        <source>X is number read from the device</source>
        <translation>X je číslo přečtené z přístroje</translation>
    </message>
</context>
<context>
    <name>CReadDataDlg</name>
    <message>
        <source>Waiting for data ....</source>
        <translation>Čekám na data ....</translation>
    </message>
    <message>
        <source>Put each Flight to separate Session</source>
        <translation>Každý let do samostatného sezení</translation>
    </message>
    <message>
        <source>Read Data</source>
        <translation>Čtení dat</translation>
    </message>
</context>
<context>
    <name>CRichEditorView</name>
    <message>
        <source>Font</source>
        <translation>Písmo</translation>
    </message>
    <message>
        <source>Formatted Text</source>
        <translation>Formátovaný text</translation>
    </message>
    <message>
        <source>Unformatted Text</source>
        <translation>Neformátovaný text</translation>
    </message>
    <message>
        <source>Picture</source>
        <translation>Obrázek</translation>
    </message>
    <message>
        <source>Paste Special</source>
        <translation>Vložit jinak</translation>
    </message>
    <message>
        <source>&amp;As:</source>
        <translation>&amp;Jako:</translation>
    </message>
    <message>
        <source>Print Comments</source>
        <translation>Tisk komentářů</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Najít</translation>
    </message>
    <message>
        <source>Cannot find &quot;%1&quot; in the comments.</source>
        <translation>V komentářích nelze najít „%1“.</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Nahradit</translation>
    </message>
</context>
<context>
    <name>CSaveGraphImageDlg</name>
    <message>
        <source>Save Graph Image</source>
        <translation>Uložit obrázek grafu</translation>
    </message>
    <message>
        <source>&amp;Export destination</source>
        <translation>&amp;Cíl exportu</translation>
    </message>
    <message>
        <source>Clipboard</source>
        <translation>Schránka</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Soubor</translation>
    </message>
    <message>
        <source>&amp;Format</source>
        <translation>&amp;Formát</translation>
    </message>
    <message>
        <source>Bitmap</source>
        <translation>Bitmapa</translation>
    </message>
    <message>
        <source>Metafile</source>
        <translation>Metasoubor</translation>
    </message>
    <message>
        <source>JPEG</source>
        <translation>JPEG</translation>
    </message>
    <message>
        <source>PNG</source>
        <translation>PNG</translation>
    </message>
    <message>
        <source>SVG</source>
        <translation>SVG</translation>
    </message>
    <message>
        <source>PDF</source>
        <translation>PDF</translation>
    </message>
    <message>
        <source>A PDF picture is saved to a file only</source>
        <translation>Obrázek PDF lze uložit jen do souboru</translation>
    </message>
    <message>
        <source>Image &amp;size</source>
        <translation>&amp;Velikost obrázku</translation>
    </message>
    <message>
        <source>As on the screen</source>
        <translation>Jako na obrazovce</translation>
    </message>
    <message>
        <source>Specific:</source>
        <translation>Zadaná:</translation>
    </message>
    <message>
        <source>&amp;Width:</source>
        <translation>Šíř&amp;ka:</translation>
    </message>
    <message>
        <source>&amp;Height:</source>
        <translation>&amp;Výška:</translation>
    </message>
    <message>
        <source>pix</source>
        <translation>px</translation>
    </message>
</context>
<context>
    <name>CUserFormulaDlg</name>
    <message>
        <source>Define User Formula</source>
        <translation>Vlastní vzorec</translation>
    </message>
    <message>
        <source>User &amp;Formula:</source>
        <translation>&amp;Vlastní vzorec:</translation>
    </message>
    <message>
        <source>&amp;Recently used user formulas:</source>
        <translation>&amp;Naposledy použité vlastní vzorce:</translation>
    </message>
    <message>
        <source>[T1, A1] is start (&apos;From&apos;) point (time, altitude)
[T2, A2] is end (&apos;To&apos;) point (time, altitude)
DT = T2 - T1
DA = A2 - A1</source>
        <translation>[T1, A1] je počáteční bod (&apos;Od&apos;) (čas, výška)
[T2, A2] je koncový bod (&apos;Do&apos;) (čas, výška)
DT = T2 - T1
DA = A2 - A1</translation>
    </message>
    <message>
        <source>&amp;Title:</source>
        <translation>&amp;Název:</translation>
    </message>
    <message>
        <source>Sa&amp;ve as default</source>
        <translation>Ul&amp;ožit jako výchozí</translation>
    </message>
</context>
<context>
    <name>CViewTree</name>
    <message>
        <source>Project</source>
        <translation>Projekt</translation>
    </message>
</context>
<context>
    <name>ChartComponent</name>
    <message>
        <source>Print Graph</source>
        <translation>Tisk grafu</translation>
    </message>
</context>
<context>
    <name>FilePrompt</name>
    <message>
        <source>All Files</source>
        <translation>Všechny soubory</translation>
    </message>
    <message>
        <source>Text Files</source>
        <translation>Textové soubory</translation>
    </message>
    <message>
        <source>Bitmap Files (*.bmp)</source>
        <translation>Soubory bitmap (*.bmp)</translation>
    </message>
    <message>
        <source>Windows Metafiles (*.wmf)</source>
        <translation>Metasoubory Windows (*.wmf)</translation>
    </message>
    <message>
        <source>JPEG Files (*.jpg)</source>
        <translation>Soubory JPEG (*.jpg)</translation>
    </message>
    <message>
        <source>PNG Files (*.png)</source>
        <translation>Soubory PNG (*.png)</translation>
    </message>
    <message>
        <source>SVG Files (*.svg)</source>
        <translation>Soubory SVG (*.svg)</translation>
    </message>
    <message>
        <source>PDF Files (*.pdf)</source>
        <translation>Soubory PDF (*.pdf)</translation>
    </message>
</context>
<context>
    <name>GraphPicture</name>
    <message>
        <source>the size must be 1 to %1 pixels each way, and the picture must fit in memory</source>
        <translation>velikost musí být v každém směru 1 až %1 pixelů a obrázek se musí vejít do paměti</translation>
    </message>
    <message>
        <source>there is no clipboard</source>
        <translation>schránka není k dispozici</translation>
    </message>
    <message>
        <source>the picture could not be encoded, or the disk is full</source>
        <translation>obrázek nelze zakódovat, nebo je disk plný</translation>
    </message>
</context>
<context>
    <name>QGnomeTheme</name>
    <message>
        <source>&amp;OK</source>
        <translation>&amp;OK</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>&amp;Uložit</translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation>&amp;Zrušit</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Zavřít</translation>
    </message>
    <message>
        <source>Close without Saving</source>
        <translation>Zavřít bez uložení</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Uložit</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Uložit vše</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Otevřít</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ano</translation>
    </message>
    <message>
        <source>Yes to &amp;All</source>
        <translation>Ano &amp;všem</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Ne</translation>
    </message>
    <message>
        <source>N&amp;o to All</source>
        <translation>N&amp;e všem</translation>
    </message>
    <message>
        <source>Abort</source>
        <translation>Přerušit</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Opakovat</translation>
    </message>
    <message>
        <source>Ignore</source>
        <translation>Ignorovat</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zavřít</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Zrušit</translation>
    </message>
    <message>
        <source>Discard</source>
        <translation>Zahodit</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Nápověda</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Použít</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Obnovit</translation>
    </message>
    <message>
        <source>Restore Defaults</source>
        <translation>Obnovit výchozí</translation>
    </message>
</context>
<context>
    <name>QSerialPort</name>
    <message>
        <source>Permission error while locking the device</source>
        <translation>Chyba oprávnění při zamykání zařízení</translation>
    </message>
</context>
<context>
    <name>StringTable</name>
    <message>
        <source>Kubo

Untitled
Kubo Data Files
.qlg
Kubo.Document
Kubo Data</source>
        <extracomment>Six lines: title, new-document name, file type name, extension (keep it), type id (keep it), type name.</extracomment>
        <translation>Kubo

Bez názvu
Datové soubory Kubo
.qlg
Kubo.Document
Data Kubo</translation>
    </message>
    <message>
        <source>&quot;</source>
        <translation>&quot;</translation>
    </message>
    <message>
        <source>in</source>
        <translation>in</translation>
    </message>
    <message>
        <source>inch</source>
        <translation>palec</translation>
    </message>
    <message>
        <source>inches</source>
        <translation>palců</translation>
    </message>
    <message>
        <source>cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>pt</source>
        <translation>b</translation>
    </message>
    <message>
        <source>pi</source>
        <translation>pc</translation>
    </message>
    <message>
        <source>Invalid pressure formula:
%1</source>
        <translation>Neplatný vzorec pro tlak:
%1</translation>
    </message>
    <message>
        <source>Invalid altitude formula:
%1</source>
        <translation>Neplatný vzorec pro výšku:
%1</translation>
    </message>
    <message>
        <source>Error opening serial port.</source>
        <translation>Chyba při otevírání sériového portu.</translation>
    </message>
    <message>
        <source>Error setting up the serial port.</source>
        <translation>Chyba při nastavování sériového portu.</translation>
    </message>
    <message>
        <source>The received process was terminated abnormally. Do you want to keep received data?</source>
        <translation>Příjem dat byl neočekávaně ukončen. Chcete přijatá data ponechat?</translation>
    </message>
    <message>
        <source>Time [min]</source>
        <translation>Čas [min]</translation>
    </message>
    <message>
        <source>Altitude [%1]</source>
        <translation>Výška [%1]</translation>
    </message>
    <message>
        <source>Are you sure to delete selected annotation(s)?</source>
        <translation>Opravdu odstranit vybrané poznámky?</translation>
    </message>
    <message>
        <source>Error in time string near character %d.</source>
        <translation>Chyba v zápisu času poblíž znaku %d.</translation>
    </message>
    <message>
        <source>Overwrite current formula?</source>
        <translation>Přepsat současný vzorec?</translation>
    </message>
    <message>
        <source>Delete selected formulas?</source>
        <translation>Odstranit vybrané vzorce?</translation>
    </message>
    <message>
        <source>Time [sec]</source>
        <translation>Čas [s]</translation>
    </message>
    <message>
        <source>feet</source>
        <translation>stopy</translation>
    </message>
    <message>
        <source>ft</source>
        <translation>ft</translation>
    </message>
    <message>
        <source>m</source>
        <comment>metres, long form</comment>
        <translation>m</translation>
    </message>
    <message>
        <source>m</source>
        <comment>metres, short form</comment>
        <translation>m</translation>
    </message>
    <message>
        <source>Flight Information</source>
        <translation>Informace o letu</translation>
    </message>
    <message>
        <source>Graph</source>
        <translation>Graf</translation>
    </message>
    <message>
        <source>Horizontal</source>
        <translation>Vodorovně</translation>
    </message>
    <message>
        <source>Vertical</source>
        <translation>Svisle</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Data</translation>
    </message>
    <message>
        <source>Syntax error at character %1</source>
        <translation>Syntaktická chyba na znaku %1</translation>
    </message>
    <message>
        <source>Unbalanced parenthesis at character %1</source>
        <translation>Nespárovaná závorka na znaku %1</translation>
    </message>
    <message>
        <source>Division by zero</source>
        <translation>Dělení nulou</translation>
    </message>
    <message>
        <source>Unknown variable &apos;%2&apos; at character %1</source>
        <translation>Neznámá proměnná &apos;%2&apos; na znaku %1</translation>
    </message>
    <message>
        <source>Maximum number of variables exceeded</source>
        <translation>Překročen největší povolený počet proměnných</translation>
    </message>
    <message>
        <source>Unrecognised function &apos;%2&apos; at character %1</source>
        <translation>Neznámá funkce &apos;%2&apos; na znaku %1</translation>
    </message>
    <message>
        <source>Wrong number of arguments to function &apos;%2&apos; at character %1</source>
        <translation>Nesprávný počet argumentů funkce &apos;%2&apos; na znaku %1</translation>
    </message>
    <message>
        <source>Missing an argument of function &apos;%2&apos; at character %1</source>
        <translation>Chybí argument funkce &apos;%2&apos; na znaku %1</translation>
    </message>
    <message>
        <source>Empty expression</source>
        <translation>Prázdný výraz</translation>
    </message>
    <message>
        <source>Thin Solid Line
Dashed Line
Dot Line
Dash Dot Line
Dash Dot Dot
Medium Solid Line
Thick Solid Line
Grid Tick Mark
Grid Line</source>
        <translation>Tenká plná čára
Čárkovaná čára
Tečkovaná čára
Čerchovaná čára
Čárka tečka tečka
Střední plná čára
Silná plná čára
Značka na mřížce
Čára mřížky</translation>
    </message>
    <message>
        <source>No Symbol, Text Only
Plus
Cross
Circle
Solid Circle
Square
Solid Square
Diamond
Solid Diamond
Upward Triangle
Solid Upward Triangle
Downward Triangle
Solid Downward Triangle
Small Plus
Small Cross
Small Circle
Small Solid Circle
Small Square
Small Solid Square
Small Diamond
Small Solid Diamond
Small Upward Triangle
Small Solid Upward Triangle
Small Downward Triangle
Small Solid Downward Triangle
Large Plus
Large Cross
Large Circle
Large Solid Circle
Large Square
Large Solid Square
Large Diamond
Large Solid Diamond
Large Upward Triangle
Large Solid Upward Triangle
Large Downward Triangle
Large Solid Downward Triangle</source>
        <translation>Bez symbolu, jen text
Plus
Křížek
Kruh
Plný kruh
Čtverec
Plný čtverec
Kosočtverec
Plný kosočtverec
Trojúhelník nahoru
Plný trojúhelník nahoru
Trojúhelník dolů
Plný trojúhelník dolů
Malé plus
Malý křížek
Malý kruh
Malý plný kruh
Malý čtverec
Malý plný čtverec
Malý kosočtverec
Malý plný kosočtverec
Malý trojúhelník nahoru
Malý plný trojúhelník nahoru
Malý trojúhelník dolů
Malý plný trojúhelník dolů
Velké plus
Velký křížek
Velký kruh
Velký plný kruh
Velký čtverec
Velký plný čtverec
Velký kosočtverec
Velký plný kosočtverec
Velký trojúhelník nahoru
Velký plný trojúhelník nahoru
Velký trojúhelník dolů
Velký plný trojúhelník dolů</translation>
    </message>
    <message>
        <source>Centers text inside graph’s grid
Left inside edge of graph
Left outside edge of graph
Right inside edge of graph
Right outside edge of graph</source>
        <translation>Na střed mřížky grafu
Levý okraj uvnitř grafu
Levý okraj vně grafu
Pravý okraj uvnitř grafu
Pravý okraj vně grafu</translation>
    </message>
    <message>
        <source>Centers text inside graph’s grid
Top inside edge of graph
Top outside edge and vertical
Top outside edge and horizontal
Bottom inside edge of graph
Bottom outside edge and vertical
Bottom outside edge and horizontal</source>
        <translation>Na střed mřížky grafu
Horní okraj uvnitř grafu
Nad grafem, svisle
Nad grafem, vodorovně
Dolní okraj uvnitř grafu
Pod grafem, svisle
Pod grafem, vodorovně</translation>
    </message>
    <message>
        <source>Centers text
Left justifies
Right justifies</source>
        <translation>Na střed
Zarovnat vlevo
Zarovnat vpravo</translation>
    </message>
    <message>
        <source>Flight Annotations (%s)</source>
        <translation>Poznámky letu (%s)</translation>
    </message>
    <message>
        <source>Measurement: [%s, %s] -&gt; [%s, %s]; Delta: [%s, %s]
</source>
        <translation>Měření: [%s, %s] -&gt; [%s, %s]; Rozdíl: [%s, %s]
</translation>
    </message>
    <message>
        <source>Data Marker</source>
        <translation>Datová značka</translation>
    </message>
    <message>
        <source>Annotation Text</source>
        <translation>Text poznámky</translation>
    </message>
    <message>
        <source>M%d</source>
        <translation>M%d</translation>
    </message>
    <message>
        <source>error</source>
        <translation>chyba</translation>
    </message>
    <message>
        <source>n/a</source>
        <translation>n/a</translation>
    </message>
    <message>
        <source>User  Calculation</source>
        <translation>Vlastní  výpočet</translation>
    </message>
    <message>
        <source>Reading... (flight count: %d)</source>
        <translation>Čtení... (počet letů: %d)</translation>
    </message>
    <message>
        <source>not enough memory for %1</source>
        <translation>nedostatek paměti pro %1</translation>
    </message>
    <message>
        <source>not enough memory for the flight &quot;%1&quot;</source>
        <translation>nedostatek paměti pro let „%1“</translation>
    </message>
    <message>
        <source>%1 is a folder, not a file</source>
        <translation>%1 je složka, ne soubor</translation>
    </message>
    <message>
        <source>%1 is not a regular file (it is a device, a pipe or a socket)</source>
        <translation>%1 není běžný soubor (je to zařízení, roura nebo soket)</translation>
    </message>
    <message>
        <source>Formula longer than 4096 characters</source>
        <translation>Vzorec je delší než 4096 znaků</translation>
    </message>
    <message>
        <source>The transmission was stopped at %1 flights, the most one read can hold. The flights received so far are kept.</source>
        <translation>Přenos byl zastaven po %1 letech, což je nejvíce, kolik jedno čtení pojme. Dosud přijaté lety zůstávají zachovány.</translation>
    </message>
    <message>
        <source>The transmission was stopped: there is not enough memory for more data. The flights received so far are kept.</source>
        <translation>Přenos byl zastaven: pro další data není dost paměti. Dosud přijaté lety zůstávají zachovány.</translation>
    </message>
    <message>
        <source>the output would replace the input file %1</source>
        <translation>výstup by přepsal vstupní soubor %1</translation>
    </message>
    <message>
        <source>The settings could not be read from %1 (%2). Kubo starts with the default settings and leaves that file as it is: changes to the settings are not saved this time.</source>
        <translation>Nastavení nelze přečíst ze souboru %1 (%2). Kubo se spustí s výchozím nastavením a tento soubor ponechá beze změny: změny nastavení se tentokrát neuloží.</translation>
    </message>
    <message>
        <source>%1 could not be written (%2); the flights received were saved to %3 instead</source>
        <translation>%1 nelze zapsat (%2); přijaté lety byly místo toho uloženy do %3</translation>
    </message>
    <message>
        <source>There is not enough memory to finish the operation.</source>
        <translation>Na dokončení operace není dost paměti.</translation>
    </message>
    <message>
        <source>Device: %1</source>
        <translation>Zařízení: %1</translation>
    </message>
    <message>
        <source>Device: %1 (%2)</source>
        <translation>Zařízení: %1 (%2)</translation>
    </message>
    <message>
        <source>no serial device is chosen in Options</source>
        <translation>v Možnostech není vybráno žádné sériové zařízení</translation>
    </message>
    <message>
        <source>the device does not take the port settings</source>
        <translation>zařízení nepřijímá nastavení portu</translation>
    </message>
    <message>
        <source>The project file cannot hold these characters of the name &quot;%1&quot;: %2

Yes keeps the name with each of them replaced by &quot;?&quot;.
No goes back to editing the name.</source>
        <translation>Soubor projektu nedokáže uchovat tyto znaky názvu „%1“: %2

Ano ponechá název a každý z nich nahradí znakem „?“.
Ne se vrátí k úpravě názvu.</translation>
    </message>
    <message>
        <source>%1 is empty: it holds no project.</source>
        <translation>%1 je prázdný: neobsahuje žádný projekt.</translation>
    </message>
    <message>
        <source>%1 is not a Kubo project file, or it is damaged.</source>
        <translation>%1 není soubor projektu Kubo, nebo je poškozený.</translation>
    </message>
    <message>
        <source>%1 cannot be written: the folder %2 does not exist.</source>
        <translation>%1 nelze zapsat: složka %2 neexistuje.</translation>
    </message>
    <message>
        <source>%1 cannot be written there: there is no permission to write in the folder %2.</source>
        <translation>%1 tam nelze zapsat: do složky %2 není oprávnění zapisovat.</translation>
    </message>
    <message>
        <source>%1 cannot be written there: the folder %2 is on a read-only disk.</source>
        <translation>%1 tam nelze zapsat: složka %2 je na disku jen pro čtení.</translation>
    </message>
    <message>
        <source>the device is in use by another program</source>
        <translation>zařízení používá jiný program</translation>
    </message>
    <message>
        <source>Please enter a number.</source>
        <translation>Zadejte prosím číslo.</translation>
    </message>
    <message>
        <source>The picture could not be written to %1:
%2</source>
        <translation>Obrázek nelze zapsat do %1:
%2</translation>
    </message>
    <message>
        <source>Width and height must be whole numbers of pixels from 1 to 20000.</source>
        <translation>Šířka a výška musí být celé počty pixelů od 1 do 20000.</translation>
    </message>
    <message>
        <source>%1 was not found.</source>
        <translation>%1 nebyl nalezen.</translation>
    </message>
    <message>
        <source>%1 contains an invalid path.</source>
        <translation>%1 obsahuje neplatnou cestu.</translation>
    </message>
    <message>
        <source>%1 could not be opened because there are too many open files.</source>
        <translation>%1 nelze otevřít, protože je otevřeno příliš mnoho souborů.</translation>
    </message>
    <message>
        <source>Access to %1 was denied.</source>
        <translation>Přístup k %1 byl odepřen.</translation>
    </message>
    <message>
        <source>%1 could not be written because the disk is full.</source>
        <translation>%1 nelze zapsat, protože disk je plný.</translation>
    </message>
    <message>
        <source>A hardware I/O error occurred while accessing %1.</source>
        <translation>Při přístupu k %1 došlo k hardwarové chybě vstupu/výstupu.</translation>
    </message>
    <message>
        <source>An attempt was made to access %1 past its end.</source>
        <translation>Došlo k pokusu o přístup za konec %1.</translation>
    </message>
    <message>
        <source>An unexpected error occurred while accessing %1.</source>
        <translation>Při přístupu k %1 došlo k neočekávané chybě.</translation>
    </message>
    <message>
        <source>the file</source>
        <translation>soubor</translation>
    </message>
    <message>
        <source>An attempt was made to read %1 past its end.</source>
        <translation>Došlo k pokusu o čtení za koncem %1.</translation>
    </message>
    <message>
        <source>Unexpected file format in %1.</source>
        <translation>Neočekávaný formát souboru %1.</translation>
    </message>
    <message>
        <source>An attempt was made to write to %1 while reading it.</source>
        <translation>Došlo k pokusu o zápis do %1 během jeho čtení.</translation>
    </message>
    <message>
        <source>An attempt was made to read from %1 while writing it.</source>
        <translation>Došlo k pokusu o čtení z %1 během zápisu do něj.</translation>
    </message>
    <message>
        <source>An unexpected error occurred while reading %1.</source>
        <translation>Při čtení %1 došlo k neočekávané chybě.</translation>
    </message>
    <message>
        <source>the archive</source>
        <translation>archiv</translation>
    </message>
    <message>
        <source>%1 could not be opened.</source>
        <translation>%1 nelze otevřít.</translation>
    </message>
    <message>
        <source>%1 could not be read.</source>
        <translation>%1 nelze přečíst.</translation>
    </message>
    <message>
        <source>it is a folder</source>
        <translation>je to složka</translation>
    </message>
    <message>
        <source>it is not a regular file</source>
        <translation>není to běžný soubor</translation>
    </message>
    <message>
        <source>read error</source>
        <translation>chyba čtení</translation>
    </message>
    <message>
        <source>Read data from altimeter hardware
Read Data</source>
        <translation>Přečíst data z výškoměru
Číst data</translation>
    </message>
    <message>
        <source>Insert empty Session to the project</source>
        <translation>Vložit do projektu prázdné sezení</translation>
    </message>
    <message>
        <source>Export selected Flight data block(s) to file. Full data.</source>
        <translation>Exportovat vybrané bloky dat letu do souboru. Úplná data.</translation>
    </message>
    <message>
        <source>Export selected Flight data block(s) to file. Raw format.</source>
        <translation>Exportovat vybrané bloky dat letu do souboru. Surový formát.</translation>
    </message>
    <message>
        <source>Import existing data file into current project
Import</source>
        <translation>Importovat existující datový soubor do aktuálního projektu
Importovat</translation>
    </message>
    <message>
        <source>Import Flight data blocks from raw text format.</source>
        <translation>Importovat bloky dat letu ze surového textového formátu.</translation>
    </message>
    <message>
        <source>Edit annotation labels for currently selected Flight</source>
        <translation>Upravit poznámky právě vybraného letu</translation>
    </message>
    <message>
        <source>Apply offsets and reset both axes of all selected data series</source>
        <translation>Použít posuny a vynulovat obě osy všech vybraných datových řad</translation>
    </message>
    <message>
        <source>Set bold font
Bold</source>
        <translation>Nastavit tučné písmo
Tučné</translation>
    </message>
    <message>
        <source>Set italic font
Italic</source>
        <translation>Nastavit kurzívu
Kurzíva</translation>
    </message>
    <message>
        <source>Set underlined font
Underline</source>
        <translation>Nastavit podtržené písmo
Podtržené</translation>
    </message>
    <message>
        <source>Left-justifies paragraph
Align Left</source>
        <translation>Zarovná odstavec vlevo
Zarovnat vlevo</translation>
    </message>
    <message>
        <source>Center-justifies paragraph
Center</source>
        <translation>Zarovná odstavec na střed
Na střed</translation>
    </message>
    <message>
        <source>Right-justifies paragraph
Align Right</source>
        <translation>Zarovná odstavec vpravo
Zarovnat vpravo</translation>
    </message>
    <message>
        <source>Application settings
Application Settings</source>
        <translation>Nastavení aplikace
Nastavení aplikace</translation>
    </message>
    <message>
        <source>Change name of currently selected item</source>
        <translation>Změnit název právě vybrané položky</translation>
    </message>
    <message>
        <source>Remove currently selected item(s)</source>
        <translation>Odstranit právě vybrané položky</translation>
    </message>
    <message>
        <source>Activate informational page</source>
        <translation>Zobrazit stránku s informacemi</translation>
    </message>
    <message>
        <source>Activate graph page</source>
        <translation>Zobrazit stránku s grafem</translation>
    </message>
    <message>
        <source>Show/Hide data measurements tool
Data Measurements</source>
        <translation>Zobrazit či skrýt nástroj pro měření dat
Měření dat</translation>
    </message>
    <message>
        <source>Export graph picture to file or clipboard</source>
        <translation>Exportovat obrázek grafu do souboru nebo schránky</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Připraven</translation>
    </message>
    <message>
        <source>Create a new project
New</source>
        <translation>Vytvořit nový projekt
Nový</translation>
    </message>
    <message>
        <source>Open an existing project
Open</source>
        <translation>Otevřít existující projekt
Otevřít</translation>
    </message>
    <message>
        <source>Save the project
Save</source>
        <translation>Uložit projekt
Uložit</translation>
    </message>
    <message>
        <source>Save the project under a new name
Save As</source>
        <translation>Uložit projekt pod novým názvem
Uložit jako</translation>
    </message>
    <message>
        <source>Change the printing options
Page Setup</source>
        <translation>Změnit možnosti tisku
Vzhled stránky</translation>
    </message>
    <message>
        <source>Change the printer and printing options
Print Setup</source>
        <translation>Změnit tiskárnu a možnosti tisku
Nastavení tiskárny</translation>
    </message>
    <message>
        <source>Print the active document or picture
Print</source>
        <translation>Vytisknout aktivní dokument nebo obrázek
Tisk</translation>
    </message>
    <message>
        <source>Display full pages
Print Preview</source>
        <translation>Zobrazit celé stránky
Náhled tisku</translation>
    </message>
    <message>
        <source>Open this project</source>
        <translation>Otevřít tento projekt</translation>
    </message>
    <message>
        <source>Copy the selection and put it on the Clipboard
Copy</source>
        <translation>Zkopírovat výběr do schránky
Kopírovat</translation>
    </message>
    <message>
        <source>Cut the selection and put it on the Clipboard
Cut</source>
        <translation>Vyjmout výběr a vložit jej do schránky
Vyjmout</translation>
    </message>
    <message>
        <source>Find the specified text
Find</source>
        <translation>Najít zadaný text
Najít</translation>
    </message>
    <message>
        <source>Insert Clipboard contents
Paste</source>
        <translation>Vložit obsah schránky
Vložit</translation>
    </message>
    <message>
        <source>Insert Clipboard contents with options
Paste Special</source>
        <translation>Vložit obsah schránky s volbami
Vložit jinak</translation>
    </message>
    <message>
        <source>Find the next match
Find Next</source>
        <translation>Najít další výskyt
Najít další</translation>
    </message>
    <message>
        <source>Replace specific text with different text
Replace</source>
        <translation>Nahradit zadaný text jiným textem
Nahradit</translation>
    </message>
    <message>
        <source>Select the entire text
Select All</source>
        <translation>Vybrat celý text
Vybrat vše</translation>
    </message>
    <message>
        <source>Undo the last action
Undo</source>
        <translation>Vrátit poslední akci
Zpět</translation>
    </message>
    <message>
        <source>Redo the previously undone action
Redo</source>
        <translation>Znovu provést vrácenou akci
Znovu</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright
About</source>
        <translation>Zobrazit informace o programu, číslo verze a autorská práva
O programu</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save the project
Exit</source>
        <translation>Ukončit aplikaci; nabídne uložení projektu
Konec</translation>
    </message>
    <message>
        <source>Switch to the next page
Next Pane</source>
        <translation>Přepnout na další stránku
Další stránka</translation>
    </message>
    <message>
        <source>Switch back to the previous page
Previous Pane</source>
        <translation>Přepnout zpět na předchozí stránku
Předchozí stránka</translation>
    </message>
    <message>
        <source>Set font
Font</source>
        <translation>Nastavit písmo
Písmo</translation>
    </message>
    <message>
        <source>Show or hide the toolbar
Toggle Toolbar</source>
        <translation>Zobrazit nebo skrýt panel nástrojů
Panel nástrojů</translation>
    </message>
    <message>
        <source>Show or hide the status bar
Toggle Status Bar</source>
        <translation>Zobrazit nebo skrýt stavový řádek
Stavový řádek</translation>
    </message>
    <message>
        <source>Cannot open the file %1.</source>
        <translation>Soubor %1 nelze otevřít.</translation>
    </message>
    <message>
        <source>Save changes to %1?</source>
        <translation>Uložit změny v %1?</translation>
    </message>
    <message>
        <source>The measurement was not copied: no session comments are open for editing on the Information page. Select a session or one of its flights in the project tree and try again.</source>
        <translation>Měření nebylo zkopírováno: na stránce Informace o letu nejsou otevřeny žádné komentáře k sezení. Vyberte ve stromu projektu sezení nebo některý z jeho letů a zkuste to znovu.</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Reads, shows and exports the flights of a barometric altimeter.</source>
        <translation>Čte, zobrazuje a exportuje lety barometrického výškoměru.</translation>
    </message>
    <message>
        <source>Kubo project (.qlg) to open.</source>
        <translation>Projekt Kubo (.qlg), který se má otevřít.</translation>
    </message>
    <message>
        <source>kubo: one project at a time; give at most one FILE.</source>
        <translation>kubo: jen jeden projekt najednou; zadejte nejvýše jeden soubor.</translation>
    </message>
</context>
</TS>
