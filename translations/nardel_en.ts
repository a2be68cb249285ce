<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="cs_CZ">
<context>
    <name>ArchiveDescriptor</name>
    <message>
        <source>kořenový prvek je &lt;%1&gt;, ne &lt;archive&gt;</source>
        <translation>the root element is &lt;%1&gt;, not &lt;archive&gt;</translation>
    </message>
    <message>
        <source>chybí prvek &lt;core&gt;, jádro archivu</source>
        <translation>the element &lt;core&gt;, the archive&apos;s core, is missing</translation>
    </message>
    <message>
        <source>meta.xml nelze přečíst: %1</source>
        <translation>cannot read meta.xml: %1</translation>
    </message>
    <message>
        <source>%1=&quot;%2&quot; neumíme číst: musí to být jeden znak ASCII</source>
        <translation>cannot read %1=&quot;%2&quot;: it must be a single ASCII character</translation>
    </message>
    <message>
        <source>%1 &quot;%2&quot; není nezáporné celé číslo</source>
        <translation>%1 &quot;%2&quot; is not a non-negative whole number</translation>
    </message>
    <message>
        <source>linesTerminatedBy=&quot;%1&quot; neumíme číst: řádky končí \n, \r\n nebo \r</source>
        <translation>cannot read linesTerminatedBy=&quot;%1&quot;: lines end in \n, \r\n or \r</translation>
    </message>
    <message>
        <source>prvek &lt;core&gt; nejmenuje žádný soubor (&lt;files&gt;&lt;location&gt;)</source>
        <translation>the element &lt;core&gt; names no file (&lt;files&gt;&lt;location&gt;)</translation>
    </message>
    <message>
        <source>pole nemá index ani default</source>
        <translation>a field has neither index nor default</translation>
    </message>
    <message>
        <source>pole nemá term</source>
        <translation>a field has no term</translation>
    </message>
</context>
<context>
    <name>ArchiveFiles</name>
    <message>
        <source>%1: soubor nelze otevřít: %2</source>
        <translation>%1: cannot open the file: %2</translation>
    </message>
    <message>
        <source>%1: soubor nelze rozbalit, archiv je poškozený: %2</source>
        <translation>%1: cannot unpack the file, the archive is damaged: %2</translation>
    </message>
    <message>
        <source>%1: soubor by se rozbalil na víc než %2 bajtů; tak velký import nepřijme</source>
        <translation>%1: the file would unpack to more than %2 bytes; the import takes nothing that large</translation>
    </message>
    <message>
        <source>%1: soubor by se rozbalil na %2 bajtů, víc než %3krát tolik, kolik má zabalený: archiv vypadá jako zip bomba</source>
        <translation>%1: the file would unpack to %2 bytes, more than %3 times its packed size: the archive looks like a zip bomb</translation>
    </message>
    <message>
        <source>%1: takový soubor ani složka není</source>
        <translation>%1: no such file or folder</translation>
    </message>
    <message>
        <source>%1: archiv zip nelze číst: %2</source>
        <translation>%1: cannot read the zip archive: %2</translation>
    </message>
    <message>
        <source>%1: archiv zip je poškozený, chybí jeho obsah (soubor je asi neúplný)</source>
        <translation>%1: the zip archive is damaged, its contents are missing (the file is probably incomplete)</translation>
    </message>
    <message>
        <source>%1: archiv nemá meta.xml ani soubor s daty</source>
        <translation>%1: the archive has neither meta.xml nor a data file</translation>
    </message>
    <message>
        <source>%1: archiv nemá meta.xml, jeho jádrem může být kterýkoli z %2 souborů (%3); meta.xml musí určit, který</source>
        <translation>%1: the archive has no meta.xml, and its core may be any of %2 files (%3); meta.xml must say which</translation>
    </message>
</context>
<context>
    <name>ArchiveImport</name>
    <message>
        <source>%1: jádro archivu má řádky typu %2, ne Taxon: import čte jen seznamy taxonů</source>
        <translation>%1: the archive&apos;s core has rows of type %2, not Taxon: the import reads taxon lists only</translation>
    </message>
    <message>
        <source>%1: soubor jádra %2 v archivu není</source>
        <translation>%1: the core file %2 is not in the archive</translation>
    </message>
    <message>
        <source>říše „%1“, ne rostliny</source>
        <translation>kingdom “%1”, not plants</translation>
    </message>
    <message>
        <source>neznámý taxonomický status „%1“</source>
        <translation>unknown taxonomic status “%1”</translation>
    </message>
    <message>
        <source>rank „%1“ (bere se rod, druh a nižší)</source>
        <translation>rank “%1” (genus, species and below are taken)</translation>
    </message>
    <message>
        <source>řádek bez vědeckého jména i rodu</source>
        <translation>a row with neither a scientific name nor a genus</translation>
    </message>
    <message>
        <source>jméno nezačíná rodem</source>
        <translation>the name does not begin with a genus</translation>
    </message>
    <message>
        <source>hybridní vzorec jako přijaté jméno</source>
        <translation>a hybrid formula as an accepted name</translation>
    </message>
    <message>
        <source>jméno pod úrovní druhu bez slova ranku</source>
        <translation>a name below species without a rank word</translation>
    </message>
    <message>
        <source>jednoslovné jméno bez ranku (rod, nebo čeleď?)</source>
        <translation>a one-word name without a rank (a genus, or a family?)</translation>
    </message>
    <message>
        <source>rank „%1“ nesouhlasí se jménem</source>
        <translation>rank “%1” does not agree with the name</translation>
    </message>
    <message>
        <source>synonymum bez odkazu na přijaté jméno</source>
        <translation>a synonym without a link to an accepted name</translation>
    </message>
    <message>
        <source>%1: v archivu není žádné přijaté jméno rodu, druhu ani nižšího taxonu rostlin
%2</source>
        <translation>%1: the archive holds no accepted name of a plant genus, species or lower taxon
%2</translation>
    </message>
    <message>
        <source>řádek má víc polí než první řádek souboru</source>
        <translation>the row has more fields than the file&apos;s first row</translation>
    </message>
    <message>
        <source>meta.xml čte sloupec %1 (%2), ale řádek má jen %3 sloupců</source>
        <translation>meta.xml reads column %1 (%2), but the row has only %3 columns</translation>
    </message>
    <message>
        <source>id, které má už dřívější řádek (odkazy vedou na první)</source>
        <translation>an id that an earlier row already has (links lead to the first)</translation>
    </message>
    <message>
        <source>jméno, které už má dřívější řádek</source>
        <translation>a name that an earlier row already has</translation>
    </message>
    <message>
        <source>synonymum odkazuje na id, které v archivu není</source>
        <translation>a synonym linking to an id that is not in the archive</translation>
    </message>
    <message>
        <source>synonymum v kruhu synonym bez přijatého jména</source>
        <translation>a synonym in a ring of synonyms without an accepted name</translation>
    </message>
    <message>
        <source>%1: synonyma vedou k víc než %2 přijatým jménům (každé synonymum počítané zvlášť, i přes další synonyma); tolik odkazů import nepřijme</source>
        <translation>%1: synonyms lead to more than %2 accepted names (each synonym counted apart, also through other synonyms); the import takes no more links than that</translation>
    </message>
    <message>
        <source>synonymum, které už má dřívější řádek se stejným přijatým jménem (zapsáno jednou)</source>
        <translation>a synonym that an earlier row already has with the same accepted name (written once)</translation>
    </message>
    <message>
        <source>synonymum vede k řádku, který v tabulce jmen není</source>
        <translation>a synonym leading to a row that is not in the name table</translation>
    </message>
    <message>
        <source>neznámý rank „%1“</source>
        <translation>unknown rank “%1”</translation>
    </message>
    <message>
        <source>rod jen zkratkou (jako „M. alpium“)</source>
        <translation>genus only abbreviated (as in “M. alpium”)</translation>
    </message>
    <message>
        <source>místo jména taxonu (jako „Incertae sedis“)</source>
        <translation>no taxon name in its place (as in “Incertae sedis”)</translation>
    </message>
    <message>
        <source>kultivar</source>
        <translation>cultivar</translation>
    </message>
    <message>
        <source>jméno bez epiteta (sp., cf., aff. …)</source>
        <translation>name without its epithet (sp., cf., aff. …)</translation>
    </message>
</context>
<context>
    <name>BrowseTable</name>
    <message>
        <source>Jiný program změnil pole tabulky. Zavřete okno a otevřete tabulku znovu.</source>
        <translation>Another program has changed the table&apos;s fields. Close the window and open the table again.</translation>
    </message>
    <message>
        <source>%1 nesmí být prázdné, je to číslo záznamu. Vyplňte je, nebo změny záznamu zrušte klávesou Esc.</source>
        <translation>%1 must not be empty, it is the record&apos;s number. Fill it in, or cancel the record&apos;s changes with Esc.</translation>
    </message>
    <message>
        <source>%1 %2 už má jiný záznam. Zvolte jiné číslo, nebo změny záznamu zrušte klávesou Esc.</source>
        <translation>%1 %2 already belongs to another record. Choose another number, or cancel the record&apos;s changes with Esc.</translation>
    </message>
    <message>
        <source>Záznam už v tabulce není, smazal jej jiný program. Změny zrušte klávesou Esc.</source>
        <translation>The record is no longer in the table; another program deleted it. Cancel the changes with Esc.</translation>
    </message>
</context>
<context>
    <name>CheckMain</name>
    <message>
        <source>Použití: nardel-check [--tables SLOŽKA] [--format tsv|html] [--no-misspellings] SOUBOR
Najde v SOUBORU (text, HTML, RTF, .docx nebo .odt) jména rostlin a porovná je
s tabulkami programu nardel (plantnames.db a syns.db).

  --format tsv      (výchozí) vypíše na řádek jedno nalezené jméno: řádek textu,
                    jméno, jak je napsáno, jméno v tabulkách a stav, oddělené
                    tabulátorem; stav je přijaté, synonymum → platné jméno,
                    překlep? → návrh, nebo neznámé
  --format html     vypíše celý text jako HTML se jmény kurzívou
  --no-misspellings nehledá překlepy
  --tables SLOŽKA   tabulky z této složky; jinak je hledá jako program nardel:
                    $NARDEL_TABLES, vlastní složka uživatele, složka programu

Skončí s kódem 0, i když najde neznámá jména; 2, když soubor nebo tabulky nelze číst.
</source>
        <translation>Usage: nardel-check [--tables FOLDER] [--format tsv|html] [--no-misspellings] FILE
Finds the plant names in FILE (text, HTML, RTF, .docx or .odt) and checks them
against the tables of the program nardel (plantnames.db and syns.db).

  --format tsv      (default) prints one found name a line: the line of the text,
                    the name as written, the name in the tables and the status,
                    separated by tabs; the status is accepted, synonym → accepted
                    name, misspelt? → suggestion, or unknown
  --format html     prints the whole text as HTML with the names in italics
  --no-misspellings does not look for misspellings
  --tables FOLDER   the tables of this folder; else they are found as the
                    program nardel finds them: $NARDEL_TABLES, the user&apos;s own
                    folder, the program&apos;s folder

Exits with 0, also when it finds unknown names; with 2 when the file or the
tables cannot be read.
</translation>
    </message>
    <message>
        <source>neznámý argument %1; nápovědu vypíše nardel-check --help</source>
        <translation>unknown argument %1; nardel-check --help prints the help</translation>
    </message>
    <message>
        <source>chybí SOUBOR; nápovědu vypíše nardel-check --help</source>
        <translation>FILE is missing; nardel-check --help prints the help</translation>
    </message>
    <message>
        <source>formát %1 neznám, jen tsv a html</source>
        <translation>unknown format %1; only tsv and html</translation>
    </message>
    <message>
        <source>tabulky nejsou v žádné z těchto složek:
%1</source>
        <translation>the tables are in none of these folders:
%1</translation>
    </message>
</context>
<context>
    <name>DelimitedReader</name>
    <message>
        <source>řádky souboru končí samotným znakem CR; uložte ho s konci řádků LF nebo CR LF (nebo to řekněte v meta.xml: linesTerminatedBy=&quot;\r&quot;)</source>
        <translation>the file&apos;s lines end in a lone CR; save it with LF or CR LF line ends (or say so in meta.xml: linesTerminatedBy=&quot;\r&quot;)</translation>
    </message>
    <message>
        <source>kódování %1 neznáme</source>
        <translation>unknown encoding %1</translation>
    </message>
    <message>
        <source>text není platný v kódování %1</source>
        <translation>the text is not valid in the encoding %1</translation>
    </message>
    <message>
        <source>soubor se během čtení zkrátil z %1 na %2 bajtů</source>
        <translation>the file shrank from %1 to %2 bytes while being read</translation>
    </message>
    <message>
        <source>pole v uvozovkách se do konce souboru neuzavřelo</source>
        <translation>a quoted field was not closed before the end of the file</translation>
    </message>
    <message>
        <source>řádek obsahuje osamocenou polovinu páru UTF-16 (surrogate), která není znak</source>
        <translation>the line holds a lone half of a UTF-16 pair (a surrogate), which is no character</translation>
    </message>
    <message>
        <source>řádek není platný text UTF-8</source>
        <translation>the line is not valid UTF-8 text</translation>
    </message>
    <message>
        <source>řádek obsahuje bajt NUL</source>
        <translation>the line holds a NUL byte</translation>
    </message>
    <message>
        <source>řádky souboru končí samotným znakem CR; uložte ho s konci řádků LF nebo CR LF</source>
        <translation>the file&apos;s lines end in a lone CR; save it with LF or CR LF line ends</translation>
    </message>
    <message>
        <source>pole v uvozovkách se do %1 MiB neuzavřelo</source>
        <translation>a quoted field was not closed within %1 MiB</translation>
    </message>
    <message>
        <source>řádek je delší než %1 MiB</source>
        <translation>the line is longer than %1 MiB</translation>
    </message>
</context>
<context>
    <name>DictionaryExport</name>
    <message>
        <source>Uživatelský slovník MS Office (*.dic *.DIC)</source>
        <translation>MS Office user dictionary (*.dic *.DIC)</translation>
    </message>
    <message>
        <source>Všechny soubory (*)</source>
        <translation>All files (*)</translation>
    </message>
    <message>
        <source>Uživatelský slovník LibreOffice (*.dic)</source>
        <translation>LibreOffice user dictionary (*.dic)</translation>
    </message>
    <message>
        <source>Uživatelský slovník byl generován.<byte value="xd"/>
Pro použití jej musíte zkopírovat do složky wordbook svého profilu LibreOffice a zapnout v Nástroje &gt; Možnosti &gt; Jazyková nastavení &gt; Pomůcky pro psaní.<byte value="xd"/>
</source>
        <translation>The user dictionary has been created.<byte value="xd"/>
To use it, copy it into the wordbook folder of your LibreOffice profile and turn it on in Tools &gt; Options &gt; Language Settings &gt; Writing Aids.<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>LibreOffice načte z jednoho slovníku nejvýše %1 slov, proto je slovník rozdělen do %2 souborů:<byte value="xd"/>
</source>
        <translation>LibreOffice reads at most %1 words from one dictionary, so the dictionary is split into %2 files:<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Uživatelský slovník byl generován.<byte value="xd"/>
Pro použití jej musíte v MS Word připojit na adrese<byte value="xd"/>
</source>
        <translation>The user dictionary has been created.<byte value="xd"/>
To use it, add it in MS Word from<byte value="xd"/>
</translation>
    </message>
    <message>
        <source>Informace</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>DictionaryFile</name>
    <message>
        <source>Soubor nelze zapsat: %1<byte value="xd"/>
%2</source>
        <translation>Cannot write the file: %1<byte value="xd"/>
%2</translation>
    </message>
    <message>
        <source>Slovník nebyl zapsán: kódování Windows-1250 nemá všechny znaky těchto slov (%1):<byte value="xd"/>
</source>
        <translation>The dictionary was not written: the Windows-1250 encoding lacks some characters of these words (%1):<byte value="xd"/>
</translation>
    </message>
    <message>
        <source><byte value="xd"/>
… a dalších %1</source>
        <translation><byte value="xd"/>
… and %1 more</translation>
    </message>
    <message>
        <source>Na jeho místě je %1, slovník se zapisuje jen do obyčejného souboru.</source>
        <translation>%1 stands in its place; the dictionary is written only to a regular file.</translation>
    </message>
</context>
<context>
    <name>DisplayPlatform</name>
    <message>
        <source>Nardel se nemůže spojit s grafickým prostředím. Spusťte jej v grafickém sezení (proměnná DISPLAY nebo WAYLAND_DISPLAY ukazuje na běžící displej).</source>
        <translation>Nardel cannot connect to the graphical desktop. Start it in a graphical session (the DISPLAY or WAYLAND_DISPLAY variable points to a running display).</translation>
    </message>
</context>
<context>
    <name>DocumentText</name>
    <message>
        <source>%1: dokument je poškozený, řádek %2 jeho XML nelze číst: %3</source>
        <translation>%1: the document is damaged, line %2 of its XML cannot be read: %3</translation>
    </message>
    <message>
        <source>%1: dokument je větší než %2 MiB, tak velký kontrola nečte</source>
        <translation>%1: the document is larger than %2 MiB; the check reads nothing that large</translation>
    </message>
    <message>
        <source>%1: archiv zip, který není dokumentem .docx ani .odt</source>
        <translation>%1: a zip archive that is neither a .docx nor an .odt document</translation>
    </message>
    <message>
        <source>%1: takový soubor není</source>
        <translation>%1: there is no such file</translation>
    </message>
    <message>
        <source>%1: není obyčejný soubor, ale %2</source>
        <translation>%1: not a regular file but %2</translation>
    </message>
    <message>
        <source>%1: soubor nelze číst: %2</source>
        <translation>%1: cannot read the file: %2</translation>
    </message>
    <message>
        <source>%1: dokument ve formátu Word 97–2003 (.doc) kontrola nečte; uložte ho jako .docx, .odt nebo RTF</source>
        <translation>%1: the check does not read documents in the Word 97–2003 format (.doc); save it as .docx, .odt or RTF</translation>
    </message>
    <message>
        <source>%1: PDF kontrola nečte; uložte jeho text jako .docx, .odt, RTF nebo prostý text</source>
        <translation>%1: the check does not read PDF; save its text as .docx, .odt, RTF or plain text</translation>
    </message>
</context>
<context>
    <name>EditableCopy</name>
    <message>
        <source>Seznam jmen ve složce %1 nemůžete měnit.

Zkopírovat ho do vaší složky %2 a upravovat kopii? Nardel pak bude pracovat s kopií, původní seznam zůstane beze změny.

Ne: seznam se otevře jen pro čtení.</source>
        <translation>You cannot change the name list in the folder %1.

Copy it into your folder %2 and edit the copy? Nardel will then work with the copy, and the original list stays unchanged.

No: the list opens read-only.</translation>
    </message>
    <message>
        <source>Potvrzení</source>
        <translation>Confirmation</translation>
    </message>
</context>
<context>
    <name>EngineError</name>
    <message>
        <source>Na disku není místo. Uvolněte místo a akci opakujte.</source>
        <translation>The disk is full. Free some space and try again.</translation>
    </message>
    <message>
        <source>Soubor tabulky nelze otevřít. Zkontrolujte, že existuje a že jej smíte číst.</source>
        <translation>Cannot open the table file. Check that it exists and that you may read it.</translation>
    </message>
    <message>
        <source>Soubor tabulky je poškozený. Obnovte jej novou instalací programu, nebo jej vytvořte znovu příkazem nardel-import.</source>
        <translation>The table file is damaged. Restore it by installing the program again, or build it again with nardel-import.</translation>
    </message>
    <message>
        <source>Tabulce chybí pole, které program potřebuje (viz níže). Vytvořte ji znovu příkazem nardel-import.</source>
        <translation>The table lacks a field that the program needs (see below). Build it again with nardel-import.</translation>
    </message>
    <message>
        <source>Soubor tabulky je poškozený nebo to není tabulka programu Nardel. Obnovte jej novou instalací programu, nebo jej vytvořte znovu příkazem nardel-import.</source>
        <translation>The table file is damaged or is not a Nardel table. Restore it by installing the program again, or build it again with nardel-import.</translation>
    </message>
    <message>
        <source>V tabulce je v číselném poli text (viz níže). Opravte hodnotu v okně Editace dat, nebo tabulku vytvořte znovu příkazem nardel-import.</source>
        <translation>A number field of the table holds text (see below). Correct the value in the Edit data window, or build the table again with nardel-import.</translation>
    </message>
    <message>
        <source>Do tabulky nelze zapisovat: soubor nebo jeho složka jsou jen pro čtení.</source>
        <translation>Cannot write to the table: the file or its folder is read-only.</translation>
    </message>
    <message>
        <source>Tabulku právě používá jiný program. Počkejte, až skončí, a akci opakujte.</source>
        <translation>Another program is using the table right now. Wait until it is done and try again.</translation>
    </message>
    <message>
        <source>Soubor tabulky chybí. Obnovte jej novou instalací programu, nebo jej vytvořte příkazem nardel-import.</source>
        <translation>The table file is missing. Restore it by installing the program again, or build it with nardel-import.</translation>
    </message>
    <message>
        <source>Na místě souboru tabulky je něco jiného než soubor. Odstraňte to a tabulku obnovte novou instalací programu, nebo ji vytvořte příkazem nardel-import.</source>
        <translation>Something other than a file stands in the table file&apos;s place. Remove it and restore the table by installing the program again, or build it with nardel-import.</translation>
    </message>
    <message>
        <source>Soubor tabulky neobsahuje tabulku, kterou program potřebuje. Vytvořte jej znovu příkazem nardel-import.</source>
        <translation>The table file does not hold the table that the program needs. Build it again with nardel-import.</translation>
    </message>
    <message>
        <source>Tabulka je chráněna jiným heslem, než jaké zná tento program. Vytvořte ji příkazem nardel-import.</source>
        <translation>The table is protected by another password than this program knows. Build it with nardel-import.</translation>
    </message>
    <message>
        <source>Tabulky v této složce právě zapisuje jiný import nebo kopie tabulek. Počkejte, až skončí, a akci opakujte.</source>
        <translation>Another import or table copy is writing the tables in this folder right now. Wait until it is done and try again.</translation>
    </message>
    <message>
        <source>Na místě zámku importu je něco jiného než soubor. Odstraňte to a akci opakujte.</source>
        <translation>Something other than a file stands in the import lock&apos;s place. Remove it and try again.</translation>
    </message>
    <message>
        <source>Do složky %1 nelze zapisovat: nemáte k tomu právo, nebo je jen pro čtení.</source>
        <translation>Cannot write to the folder %1: you have no right to, or it is read-only.</translation>
    </message>
    <message>
        <source>Tabulka: %1</source>
        <translation>Table: %1</translation>
    </message>
    <message>
        <source>Záznam hesla je prázdný.</source>
        <translation>The password record is empty.</translation>
    </message>
</context>
<context>
    <name>FNardel</name>
    <message>
        <source>Data source for Nardel is not available</source>
        <translation>Data source for Nardel is not available</translation>
    </message>
</context>
<context>
    <name>FileSource</name>
    <message>
        <source>%1: soubor nelze číst: %2</source>
        <translation>%1: cannot read the file: %2</translation>
    </message>
</context>
<context>
    <name>FolderFile</name>
    <message>
        <source>Soubor nelze zapsat</source>
        <translation>Cannot write the file</translation>
    </message>
    <message>
        <source>Soubor nelze uložit na disk</source>
        <translation>Cannot save the file to the disk</translation>
    </message>
    <message>
        <source>Ve složce nelze vytvořit soubor</source>
        <translation>Cannot create a file in the folder</translation>
    </message>
    <message>
        <source>Soubor nelze přejmenovat na %1</source>
        <translation>Cannot rename the file to %1</translation>
    </message>
</context>
<context>
    <name>ImportMain</name>
    <message>
        <source>Použití: nardel-import [--quiet] ARCHIV [SLOŽKA]
        nardel-import [--quiet] JMÉNA.tsv SYNONYMA.tsv [SLOŽKA]
Vytvoří ve SLOŽCE tabulky plantnames.db a syns.db pro program nardel; chybějící
SLOŽKU založí. Bez SLOŽKY je zapíše do vlastní složky uživatele, kde je program najde:
$XDG_DATA_HOME/nardel, jinak ~/.local/share/nardel.

ARCHIV je seznam taxonů ve formátu Darwin Core Archive: soubor zip, rozbalená složka
s meta.xml, nebo jediný soubor s daty, jehož první řádek jmenuje termy. Přijatá jména
rodů, druhů a nižších taxonů (subsp., var., f. ...) rostlin se stanou řádky tabulky
jmen, synonyma, jejichž acceptedNameUsageID k nim vede, řádky tabulky synonym.
Citace seznamu (z eml.xml) se uloží do tabulky a program ji ukáže u čísel stran.
Na konci import vypíše, co zapsal a které řádky vynechal a proč; --quiet nevypíše
nic než chyby.

Soubory tsv jsou text v UTF-8, sloupce oddělené tabulátorem, první řádek je pojmenuje:
  jména     LEVEL_ (0 rod, 1 druh, 2 poddruh), GENUS, SPECIES,
            SUBSP (slovo ranku a epiteton, např. &quot;subsp. obovata&quot;),
            AUTOR0 (autor druhu), AUTOR1 (autor poddruhu), PAGE, PN_REC
  synonyma  syn, pn_rec (PN_REC přijatého jména)

Chybný řádek nebo poškozený archiv import zastaví se zprávou soubor:řádek: co je
špatně; dřívější tabulky ve SLOŽCE pak zůstanou, jak byly.
</source>
        <translation>Usage: nardel-import [--quiet] ARCHIVE [FOLDER]
       nardel-import [--quiet] NAMES.tsv SYNONYMS.tsv [FOLDER]
Builds the tables plantnames.db and syns.db for the program nardel in FOLDER, and
makes a FOLDER that is not there. Without FOLDER it writes them to the user&apos;s own
folder, where the program finds them: $XDG_DATA_HOME/nardel, else
~/.local/share/nardel.

ARCHIVE is a taxon list in the Darwin Core Archive format: a zip file, an unpacked
folder with meta.xml, or a single data file whose first line names the terms.
Accepted names of plant genera, species and lower taxa (subsp., var., f. ...) become
rows of the name table; synonyms whose acceptedNameUsageID leads to them become rows
of the synonym table. The list&apos;s citation (from eml.xml) is kept in the table, and
the program shows it by the page numbers. At the end the import prints what it wrote
and which rows it left out and why; --quiet prints nothing but errors.

The tsv files are UTF-8 text, columns separated by tabs, the first line naming them:
  names     LEVEL_ (0 genus, 1 species, 2 subspecies), GENUS, SPECIES,
            SUBSP (rank word and epithet, e.g. &quot;subsp. obovata&quot;),
            AUTOR0 (species author), AUTOR1 (subspecies author), PAGE, PN_REC
  synonyms  syn, pn_rec (PN_REC of the accepted name)

A bad row or a damaged archive stops the import with the message file:line: what is
wrong; the earlier tables in FOLDER then stay as they were.
</translation>
    </message>
    <message>
        <source>
Meze importu archivu (proti zip bombám a zahlcení):
  - soubor v zipu se rozbalí nejvýš na %1 GiB, a je-li větší než %2 MiB,
    nejvýš na %3násobek své zabalené velikosti;
  - synonyma vedou dohromady nejvýš k %4 přijatým jménům (každé
    synonymum zvlášť, i přes další synonyma);
  - stejné synonymum se stejným přijatým jménem se zapíše jednou;
  - citace delší než %5 znaků se ukáže zkrácená, celá zůstane v tabulce.
</source>
        <translation>
Limits of an archive&apos;s import (against zip bombs and overload):
  - a file in the zip unpacks to at most %1 GiB and, when larger than %2 MiB,
    to at most %3 times its packed size;
  - synonyms lead to at most %4 accepted names altogether (each
    synonym counted apart, also through other synonyms);
  - the same synonym with the same accepted name is written once;
  - a citation longer than %5 characters is shown shortened, kept whole in the table.
</translation>
    </message>
    <message>
        <source>Použití: nardel-import [--quiet] ARCHIV [SLOŽKA]
        nardel-import [--quiet] JMÉNA.tsv SYNONYMA.tsv [SLOŽKA]
Zapíše SLOŽKA/plantnames.db a SLOŽKA/syns.db.
Nápovědu vypíše nardel-import --help.
</source>
        <translation>Usage: nardel-import [--quiet] ARCHIVE [FOLDER]
       nardel-import [--quiet] NAMES.tsv SYNONYMS.tsv [FOLDER]
Writes FOLDER/plantnames.db and FOLDER/syns.db.
nardel-import --help prints the help.
</translation>
    </message>
    <message>
        <source>nardel-import: %1 není složka. Zadejte složku, do níž se mají tabulky zapsat.
</source>
        <translation>nardel-import: %1 is not a folder. Give the folder to write the tables to.
</translation>
    </message>
    <message>
        <source>nardel-import: složku %1 nelze vytvořit. Zkontrolujte, že smíte zapisovat do složky nad ní.
</source>
        <translation>nardel-import: cannot create the folder %1. Check that you may write to the folder above it.
</translation>
    </message>
    <message>
        <source>Opravte to a spusťte import znovu; tabulky ve složce %1 se nezměnily.
</source>
        <translation>Correct that and run the import again; the tables in the folder %1 have not changed.
</translation>
    </message>
    <message>
        <source>Tabulky jsou ve složce %1.
Běžící Nardel, který čte tuto složku, si je načte sám.
</source>
        <translation>The tables are in the folder %1.
A running Nardel that reads this folder picks them up by itself.
</translation>
    </message>
    <message>
        <source>Jinak je Nardel načte, spustíte-li jej s volbou --tables %1.
</source>
        <translation>Otherwise Nardel reads them when started with --tables %1.
</translation>
    </message>
    <message>
        <source>Jinak je Nardel načte při příštím spuštění.
</source>
        <translation>Otherwise Nardel reads them at its next start.
</translation>
    </message>
</context>
<context>
    <name>ImportProgress</name>
    <message>
        <source>Čtení archivu</source>
        <translation>Reading archive</translation>
    </message>
    <message>
        <source>Tabulka jmen</source>
        <translation>Name table</translation>
    </message>
    <message>
        <source>Synonyma</source>
        <translation>Synonyms</translation>
    </message>
    <message>
        <source>  %1 řádků/s</source>
        <translation>  %1 rows/s</translation>
    </message>
    <message>
        <source>  zbývá %1:%2</source>
        <translation>  %1:%2 left</translation>
    </message>
    <message>
        <source>cs_CZ</source>
        <comment>the locale whose digit grouping the numbers take</comment>
        <translation>en_US</translation>
    </message>
</context>
<context>
    <name>ImportReport</name>
    <message>
        <source>Přijatá jména: rody %1, druhy %2, taxony pod úrovní druhu %3
</source>
        <translation>Accepted names: genera %1, species %2, taxa below species %3
</translation>
    </message>
    <message>
        <source>  z toho doplněné, jež v seznamu nemají vlastní řádek: rody %1, druhy %2
</source>
        <translation>  of which added, having no row of their own in the list: genera %1, species %2
</translation>
    </message>
    <message>
        <source>Synonyma: %1
</source>
        <translation>Synonyms: %1
</translation>
    </message>
    <message>
        <source>Citace: %1
</source>
        <translation>Citation: %1
</translation>
    </message>
    <message>
        <source>Vynecháno:
</source>
        <translation>Left out:
</translation>
    </message>
    <message>
        <source>  %1× %2 (řádek %3%4)
</source>
        <translation>  %1× %2 (line %3%4)
</translation>
    </message>
    <message>
        <source>  z toho se dvěma ranky pod úrovní druhu, vzaté na nižším: %1
</source>
        <translation>  of them with two ranks below the species, taken at the lower: %1
</translation>
    </message>
    <message>
        <source>cs_CZ</source>
        <comment>the locale whose digit grouping the numbers take</comment>
        <translation>en_US</translation>
    </message>
</context>
<context>
    <name>NameSource</name>
    <message>
        <source>Je tam složka.</source>
        <translation>A folder is there.</translation>
    </message>
    <message>
        <source>Je tam pojmenovaná roura (FIFO).</source>
        <translation>A named pipe (FIFO) is there.</translation>
    </message>
    <message>
        <source>Je tam soket.</source>
        <translation>A socket is there.</translation>
    </message>
    <message>
        <source>Je tam zařízení.</source>
        <translation>A device is there.</translation>
    </message>
    <message>
        <source>Chybí tabulka %1.</source>
        <translation>The table %1 is missing.</translation>
    </message>
</context>
<context>
    <name>PathKind</name>
    <message>
        <source>složka</source>
        <translation>a folder</translation>
    </message>
    <message>
        <source>symbolický odkaz</source>
        <translation>a symbolic link</translation>
    </message>
    <message>
        <source>pojmenovaná roura (FIFO)</source>
        <translation>a named pipe (FIFO)</translation>
    </message>
    <message>
        <source>soket</source>
        <translation>a socket</translation>
    </message>
    <message>
        <source>zařízení</source>
        <translation>a device</translation>
    </message>
</context>
<context>
    <name>ProgramOptions</name>
    <message>
        <source>Nápovědu vypíše nardel --help.</source>
        <translation>nardel --help prints the help.</translation>
    </message>
    <message>
        <source>program nečte soubory, jen volby: „%1“</source>
        <translation>the program reads no files, only options: “%1”</translation>
    </message>
    <message>
        <source>volba %1 nemá hodnotu: napište ji bez „=“ a toho, co následuje</source>
        <translation>the option %1 takes no value: write it without “=” and what follows</translation>
    </message>
    <message>
        <source>u volby --tables chybí složka: napište ji za volbu, například --tables ~/tabulky</source>
        <translation>the option --tables lacks a folder: write it after the option, for example --tables ~/tables</translation>
    </message>
    <message>
        <source>u volby %1 chybí hodnota: napište ji za volbu</source>
        <translation>the option %1 lacks a value: write it after the option</translation>
    </message>
    <message>
        <source>neznámá volba „%1“</source>
        <translation>unknown option “%1”</translation>
    </message>
    <message>
        <source>Použití: nardel [VOLBY]
Vybírá vědecká jména rostlin ze tří provázaných seznamů a kopíruje je do schránky.

Volby:
  --tables SLOŽKA  při tomto spuštění čte tabulky jmen jen ze SLOŽKY
  -h, --help       vypíše tuto nápovědu
  --version        vypíše verzi programu
Přijímá i volby knihovny Qt (-platform, -display, -style …).

Tabulky jmen (plantnames.db, syns.db) hledá program v první z těchto složek, která je má:
  $NARDEL_TABLES, je-li nastavena
  $XDG_DATA_HOME/nardel, jinak ~/.local/share/nardel (sem je zapisuje nardel-import)
  složka programu
  share/nardel instalace (u balíčku /usr/share/nardel)

Nastavení je v $XDG_CONFIG_HOME/Tarnwick/Nardel/1.0.0.0.reg, jinak
v ~/.config/Tarnwick/Nardel/1.0.0.0.reg.
</source>
        <translation>Usage: nardel [OPTIONS]
Picks scientific plant names from three linked lists and copies them to the clipboard.

Options:
  --tables FOLDER  this run reads the name tables from FOLDER alone
  -h, --help       prints this help
  --version        prints the program&apos;s version
Qt&apos;s own options are taken as well (-platform, -display, -style …).

The program looks for the name tables (plantnames.db, syns.db) in the first of these
folders that holds them:
  $NARDEL_TABLES, when it is set
  $XDG_DATA_HOME/nardel, else ~/.local/share/nardel (where nardel-import writes them)
  the program&apos;s folder
  share/nardel of the installation (/usr/share/nardel for the package)

The settings are in $XDG_CONFIG_HOME/Tarnwick/Nardel/1.0.0.0.reg, else
in ~/.config/Tarnwick/Nardel/1.0.0.0.reg.
</translation>
    </message>
</context>
<context>
    <name>Query</name>
    <message>
        <source>Dotaz je za posledním řádkem</source>
        <translation>The query is past its last row</translation>
    </message>
    <message>
        <source>Pole číslo %1 v dotazu není</source>
        <translation>The query has no field number %1</translation>
    </message>
    <message>
        <source>Dotaz není otevřený</source>
        <translation>The query is not open</translation>
    </message>
</context>
<context>
    <name>RecordRules</name>
    <message>
        <source>%1 musí být 0 (rod), 1 (druh) nebo 2 (poddruh), ne „%2“. Opravte hodnotu, nebo změny záznamu zrušte klávesou Esc.</source>
        <translation>%1 must be 0 (genus), 1 (species) or 2 (subspecies), not “%2”. Correct the value, or cancel the record&apos;s changes with Esc.</translation>
    </message>
    <message>
        <source>%1 musí být celé číslo od %2 do %3, ne „%4“. Opravte hodnotu, nebo změny záznamu zrušte klávesou Esc.</source>
        <translation>%1 must be a whole number from %2 to %3, not “%4”. Correct the value, or cancel the record&apos;s changes with Esc.</translation>
    </message>
</context>
<context>
    <name>RegistryKey</name>
    <message>
        <source>Soubor nastavení: %1</source>
        <translation>Settings file: %1</translation>
    </message>
    <message>
        <source>Na místě %1 %2 je %3, ne obyčejný soubor. Odstraňte nebo přejmenujte to, co tam je.</source>
        <translation>In the place of the %1 %2 there is %3, not a regular file. Remove or rename what is there.</translation>
    </message>
    <message>
        <source>souboru nastavení</source>
        <translation>settings file</translation>
    </message>
    <message>
        <source>Souborový systém se složkou nastavení %1 je připojen jen pro čtení. Připojte jej pro zápis, nebo nastavte proměnnou XDG_CONFIG_HOME na složku, do které lze zapisovat.</source>
        <translation>The file system with the settings folder %1 is mounted read-only. Mount it for writing, or set the XDG_CONFIG_HOME variable to a folder you can write to.</translation>
    </message>
    <message>
        <source>Na disku se složkou nastavení %1 není místo. Uvolněte místo; nastavení se uloží při příštím zavření programu.</source>
        <translation>The disk with the settings folder %1 is full. Free some space; the settings are saved the next time the program closes.</translation>
    </message>
    <message>
        <source>Nelze vytvořit zámek nastavení %1. Zkontrolujte, že do jeho složky smíte zapisovat.</source>
        <translation>Cannot create the settings lock %1. Check that you may write to its folder.</translation>
    </message>
    <message>
        <source>zámku nastavení</source>
        <translation>settings lock</translation>
    </message>
    <message>
        <source>Nastavení právě zapisuje jiná spuštěná kopie programu (zámek %1). Počkejte, až skončí; nastavení se uloží při příštím zavření programu.</source>
        <translation>Another running copy of the program is writing the settings (lock %1). Wait until it is done; the settings are saved the next time the program closes.</translation>
    </message>
    <message>
        <source>Soubor nastavení nelze zapsat. Zkontrolujte, že do jeho složky smíte zapisovat a že je na disku místo.
%1</source>
        <translation>Cannot write the settings file. Check that you may write to its folder and that the disk has space.
%1</translation>
    </message>
    <message>
        <source>Soubor nastavení je příliš velký na čtení a nelze jej zálohovat do %1. Přesuňte jej jinam; program pak založí nový.</source>
        <translation>The settings file is too large to read and cannot be backed up to %1. Move it elsewhere; the program then starts a new one.</translation>
    </message>
    <message>
        <source>zálohy nastavení</source>
        <translation>settings backup</translation>
    </message>
    <message>
        <source>Pro nastavení není složka: proměnná HOME není nastavena a účet nemá domovskou složku. Nastavte proměnnou HOME nebo XDG_CONFIG_HOME.</source>
        <translation>There is no folder for the settings: the HOME variable is not set and the account has no home folder. Set the HOME or XDG_CONFIG_HOME variable.</translation>
    </message>
    <message>
        <source>Do složky nastavení %1 nelze zapisovat: je jen pro čtení, nebo k ní nemáte právo zápisu. Povolte si zápis do ní, nebo nastavte proměnnou XDG_CONFIG_HOME na složku, do které zapisovat smíte.</source>
        <translation>Cannot write to the settings folder %1: it is read-only, or you have no right to write to it. Allow yourself to write to it, or set the XDG_CONFIG_HOME variable to a folder you may write to.</translation>
    </message>
    <message>
        <source>Soubor nastavení je otevřen jen pro čtení. Zavřete program a spusťte jej znovu.</source>
        <translation>The settings file is open read-only. Close the program and start it again.</translation>
    </message>
    <message>
        <source>Soubor nastavení není otevřen. Zavřete program a spusťte jej znovu.</source>
        <translation>The settings file is not open. Close the program and start it again.</translation>
    </message>
    <message>
        <source>Název hodnoty „%1“ nelze zapsat na jeden řádek souboru.</source>
        <translation>The value name “%1” cannot be written on one line of the file.</translation>
    </message>
    <message>
        <source>Soubor nastavení nelze číst. Zkontrolujte, že jej smíte číst.</source>
        <translation>Cannot read the settings file. Check that you may read it.</translation>
    </message>
</context>
<context>
    <name>Spool</name>
    <message>
        <source>%1: dočasný soubor importu: %2</source>
        <translation>%1: the import&apos;s temporary file: %2</translation>
    </message>
    <message>
        <source>na disku pro dočasné soubory není místo. Uvolněte místo, nebo proměnnou TMPDIR určete jinou složku.</source>
        <translation>the disk for temporary files is full. Free some space, or choose another folder with the TMPDIR variable.</translation>
    </message>
    <message>
        <source>končí uprostřed záznamu</source>
        <translation>ends in the middle of a record</translation>
    </message>
</context>
<context>
    <name>Statement</name>
    <message>
        <source>Tabulky jmen nejsou otevřené, program je při spuštění nenašel. Vytvořte je příkazem nardel-import, nebo program spusťte s volbou --tables a složkou, ve které tabulky jsou.</source>
        <translation>The name tables are not open: the program did not find them at its start. Build them with nardel-import, or start the program with the option --tables and the folder that holds them.</translation>
    </message>
</context>
<context>
    <name>StatusLine</name>
    <message>
        <source>Zkopírováno</source>
        <translation>Copied</translation>
    </message>
</context>
<context>
    <name>SynonymQueries</name>
    <message>
        <source>Tabulky plantnames.db a syns.db nepocházejí z jednoho importu, synonyma by proto ukazovala na nesprávná platná jména. Vytvořte obě tabulky znovu příkazem nardel-import.</source>
        <translation>The tables plantnames.db and syns.db do not come from one import, so synonyms would point to wrong accepted names. Build both tables again with nardel-import.</translation>
    </message>
</context>
<context>
    <name>TFormBrowse</name>
    <message>
        <source>Database Browse</source>
        <translation>Database Browse</translation>
    </message>
    <message>
        <source>Záznamy</source>
        <translation>Records</translation>
    </message>
    <message>
        <source>Panel navigátoru</source>
        <translation>Navigator bar</translation>
    </message>
    <message>
        <source>Navigátor</source>
        <translation>Navigator</translation>
    </message>
    <message>
        <source>First record</source>
        <translation>First record</translation>
    </message>
    <message>
        <source>Prior record</source>
        <translation>Prior record</translation>
    </message>
    <message>
        <source>Next record</source>
        <translation>Next record</translation>
    </message>
    <message>
        <source>Last record</source>
        <translation>Last record</translation>
    </message>
    <message>
        <source>Insert record</source>
        <translation>Insert record</translation>
    </message>
    <message>
        <source>Delete record</source>
        <translation>Delete record</translation>
    </message>
    <message>
        <source>Cancel edit</source>
        <translation>Cancel edit</translation>
    </message>
    <message>
        <source>Refresh data</source>
        <translation>Refresh data</translation>
    </message>
    <message>
        <source>Jen ke čtení: tabulku nesmíte měnit. Kopii k úpravám nabídne nové spuštění.</source>
        <translation>Read-only: you may not change the table. The next start offers a copy to edit.</translation>
    </message>
    <message>
        <source>Nevhodnou editací mohou být data poškozena.<byte value="xd"/>
Data lze obnovit pouze novou instalací programu.</source>
        <translation>Careless editing may damage the data.<byte value="xd"/>
The data can only be restored by installing the program again.</translation>
    </message>
    <message>
        <source>Počet záznamů byl změněn, proto je potřebné aplikaci restartovat.</source>
        <translation>The number of records has changed, so the program needs to be restarted.</translation>
    </message>
    <message>
        <source>Tabulka není otevřena. Otevřete okno Editace dat znovu.</source>
        <translation>The table is not open. Open the Edit data window again.</translation>
    </message>
    <message>
        <source>Upozornění</source>
        <translation>Warning</translation>
    </message>
    <message>
        <source>Informace</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Potvrzení</source>
        <translation>Confirmation</translation>
    </message>
    <message>
        <source>Delete record?</source>
        <translation>Delete record?</translation>
    </message>
</context>
<context>
    <name>TFormInfo</name>
    <message>
        <source>Program info</source>
        <translation>Program info</translation>
    </message>
    <message>
        <source>Obrázek</source>
        <translation>Picture</translation>
    </message>
    <message>
        <source>Logo</source>
        <translation>Logo</translation>
    </message>
    <message>
        <source>Tarnwick s.r.o.</source>
        <translation>Tarnwick s.r.o.</translation>
    </message>
    <message>
        <source>Lipová 12, 602 00 Brno</source>
        <translation>Lipová 12, 602 00 Brno</translation>
    </message>
    <message>
        <source>tel. 541 210 417, 603 512 730</source>
        <translation>tel. 541 210 417, 603 512 730</translation>
    </message>
    <message>
        <source>e-mail</source>
        <translation>e-mail</translation>
    </message>
    <message>
        <source>Napsat autorům</source>
        <translation>Write to the authors</translation>
    </message>
    <message>
        <source>nardel@tarnwick.cz</source>
        <translation>nardel@tarnwick.cz</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>More Info &gt;&gt;</source>
        <translation>More Info &gt;&gt;</translation>
    </message>
    <message>
        <source>Údaje o verzi</source>
        <translation>Version details</translation>
    </message>
    <message>
        <source>&lt;&lt; Info</source>
        <translation>&lt;&lt; Info</translation>
    </message>
</context>
<context>
    <name>TFormNardel</name>
    <message>
        <source>Nardel</source>
        <translation>Nardel</translation>
    </message>
    <message>
        <source>Stavový řádek</source>
        <translation>Status line</translation>
    </message>
    <message>
        <source>Rod</source>
        <translation>Genus</translation>
    </message>
    <message>
        <source>Focus [Ctrl-G]</source>
        <translation>Focus [Ctrl-G]</translation>
    </message>
    <message>
        <source>Druh</source>
        <translation>Species</translation>
    </message>
    <message>
        <source>Focus [Ctrl-S]</source>
        <translation>Focus [Ctrl-S]</translation>
    </message>
    <message>
        <source>Poddruh</source>
        <translation>Subspecies</translation>
    </message>
    <message>
        <source>Focus [Ctrl-U]</source>
        <translation>Focus [Ctrl-U]</translation>
    </message>
    <message>
        <source>Set [Alt-G]</source>
        <translation>Set [Alt-G]</translation>
    </message>
    <message>
        <source>Set [Alt-S]</source>
        <translation>Set [Alt-S]</translation>
    </message>
    <message>
        <source>Set [Alt-U]</source>
        <translation>Set [Alt-U]</translation>
    </message>
    <message>
        <source>Kopírovat</source>
        <translation>Copy</translation>
    </message>
    <message>
        <source>Focus [Ctrl-I], Execute [Alt-I]</source>
        <translation>Focus [Ctrl-I], Execute [Alt-I]</translation>
    </message>
    <message>
        <source>O programu</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Počet rodů</source>
        <translation>Number of genera</translation>
    </message>
    <message>
        <source>Počet druhů</source>
        <translation>Number of species</translation>
    </message>
    <message>
        <source>Počet poddruhů</source>
        <translation>Number of subspecies</translation>
    </message>
    <message>
        <source>Najít</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Focus [Ctrl-F], Execute [Alt-F]</source>
        <translation>Focus [Ctrl-F], Execute [Alt-F]</translation>
    </message>
    <message>
        <source>Volby</source>
        <translation>Options</translation>
    </message>
    <message>
        <source>Syn.</source>
        <translation>Syn.</translation>
    </message>
    <message>
        <source>Synonyma</source>
        <translation>Synonyms</translation>
    </message>
    <message>
        <source>Focus [Ctrl-N], Execute [Alt-N]</source>
        <translation>Focus [Ctrl-N], Execute [Alt-N]</translation>
    </message>
    <message>
        <source>Včet&amp;ně jmen autorů</source>
        <translation>Include author &amp;names</translation>
    </message>
    <message>
        <source>&amp;Automaticky do schránky</source>
        <translation>&amp;Automatically to clipboard</translation>
    </message>
    <message>
        <source>&amp;Formátovaný výstup</source>
        <translation>&amp;Formatted output</translation>
    </message>
    <message>
        <source>&amp;Základní font</source>
        <translation>&amp;Base font</translation>
    </message>
    <message>
        <source>&amp;Uživatelský slovník MS Office</source>
        <translation>MS Office &amp;user dictionary</translation>
    </message>
    <message>
        <source>&amp;Editace dat</source>
        <translation>&amp;Edit data</translation>
    </message>
    <message>
        <source>&amp;Obnova okna</source>
        <translation>Rest&amp;ore window</translation>
    </message>
    <message>
        <source>Na Waylandu nelze sledovat schránku</source>
        <translation>The clipboard cannot be watched on Wayland</translation>
    </message>
    <message>
        <source>Volby a umístění okna se neuložily.</source>
        <translation>The options and the window&apos;s place were not saved.</translation>
    </message>
    <message>
        <source>Do složky %1 přibyly nové tabulky. Okno Editace dat ale upravuje ty dosavadní, proto je Nardel teď načíst nemůže a úpravy v tomto okně se do nových tabulek nedostanou. Zavřete okno Editace dat a restartujte Nardel.</source>
        <translation>New tables have arrived in the folder %1. The Edit data window still edits the old ones, so Nardel cannot read the new tables now, and edits made in that window will not reach them. Close the Edit data window and restart Nardel.</translation>
    </message>
    <message>
        <source>Ve složce %1 chybí tabulka jmen nebo synonym, nebo ji nelze přečíst. Nardel proto ukazuje tabulky, které načetl dříve. Restartujte Nardel.</source>
        <translation>The folder %1 is missing its name or synonym table, or it cannot be read. Nardel therefore shows the tables it read before. Restart Nardel.</translation>
    </message>
    <message>
        <source>&amp;Chytré hledání</source>
        <translation>&amp;Smart lookup</translation>
    </message>
    <message>
        <source>nenalezeno</source>
        <translation>not found</translation>
    </message>
    <message>
        <source>&amp;Kontrola textu</source>
        <translation>&amp;Check text</translation>
    </message>
    <message>
        <source>Ctrl+K</source>
        <translation>Ctrl+K</translation>
    </message>
</context>
<context>
    <name>TFormSyns</name>
    <message>
        <source>Hledat podle synonym</source>
        <translation>Search by synonym</translation>
    </message>
    <message>
        <source>Začátek synonyma</source>
        <translation>Beginning of the synonym</translation>
    </message>
    <message>
        <source>Enter hledá</source>
        <translation>Enter searches</translation>
    </message>
    <message>
        <source>Najít</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>Nalezená synonyma</source>
        <translation>Synonyms found</translation>
    </message>
    <message>
        <source>Platné jméno</source>
        <translation>Accepted name</translation>
    </message>
    <message>
        <source>Tabulka synonym nemá pole pn_rec, platné jméno proto nelze najít. Vytvořte tabulky znovu příkazem nardel-import.</source>
        <translation>The synonym table has no pn_rec field, so the accepted name cannot be found. Build the tables again with nardel-import.</translation>
    </message>
    <message>
        <source>Synonymum „%1“ neukazuje na platné jméno: jeho pn_rec „%2“ není celé číslo. Opravte seznam synonym a tabulky vytvořte znovu příkazem nardel-import.</source>
        <translation>The synonym “%1” points to no accepted name: its pn_rec “%2” is not a whole number. Correct the synonym list and build the tables again with nardel-import.</translation>
    </message>
    <message>
        <source>Platné jméno synonyma „%1“ (pn_rec %2) v tabulce jmen chybí. Doplňte je v okně Editace dat, nebo tabulky vytvořte znovu příkazem nardel-import.</source>
        <translation>The accepted name of the synonym “%1” (pn_rec %2) is missing from the name table. Add it in the Edit data window, or build the tables again with nardel-import.</translation>
    </message>
</context>
<context>
    <name>TFormTextCheck</name>
    <message>
        <source>Kontrola textu</source>
        <translation>Text check</translation>
    </message>
    <message>
        <source>&amp;Zkontrolovat schránku</source>
        <translation>Check clip&amp;board</translation>
    </message>
    <message>
        <source>Zkontroluje text ve schránce (také Ctrl+V)</source>
        <translation>Checks the text on the clipboard (also Ctrl+V)</translation>
    </message>
    <message>
        <source>&amp;Kopírovat text</source>
        <translation>&amp;Copy text</translation>
    </message>
    <message>
        <source>Zkopíruje celý text se jmény kurzívou a se zvolenými náhradami</source>
        <translation>Copies the whole text with the names in italics and the chosen replacements</translation>
    </message>
    <message>
        <source>Hledat &amp;překlepy</source>
        <translation>Find &amp;misspellings</translation>
    </message>
    <message>
        <source>Nalezená jména</source>
        <translation>Names found</translation>
    </message>
    <message>
        <source>Dvojklik nebo Enter vybere jméno v hlavním okně; zaškrtnutí stavu dosadí navržené jméno</source>
        <translation>A double click or Enter selects the name in the main window; ticking the status puts the suggested name in</translation>
    </message>
    <message>
        <source>Stav kontroly</source>
        <translation>Check status</translation>
    </message>
    <message>
        <source>Načítám jména z tabulek…</source>
        <translation>Reading the names of the tables…</translation>
    </message>
    <message>
        <source>Jména z tabulek nelze načíst.</source>
        <translation>The names of the tables cannot be read.</translation>
    </message>
    <message>
        <source>Ve schránce není text.</source>
        <translation>There is no text on the clipboard.</translation>
    </message>
    <message>
        <source>Nalezená jména: %1</source>
        <translation>Names found: %1</translation>
    </message>
</context>
<context>
    <name>TableImport</name>
    <message>
        <source>%1 je prázdné; doplňte rod</source>
        <translation>%1 is empty; fill in the genus</translation>
    </message>
    <message>
        <source>řádek rodu (%1 0) musí mít prázdné %2 a %3</source>
        <translation>a genus row (%1 0) must have %2 and %3 empty</translation>
    </message>
    <message>
        <source>%1 je prázdné na řádku s %2 %3; doplňte druhové epiteton</source>
        <translation>%1 is empty on a row with %2 %3; fill in the species epithet</translation>
    </message>
    <message>
        <source>%1 je prázdné na řádku poddruhu (%2 2); doplňte jej</source>
        <translation>%1 is empty on a subspecies row (%2 2); fill it in</translation>
    </message>
    <message>
        <source>%1 %2 už má dřívější řádek; dejte každému řádku jiné číslo</source>
        <translation>%1 %2 already has an earlier row; give each row a number of its own</translation>
    </message>
    <message>
        <source>druh rodu „%1“, který nemá řádek rodu (%2 0); přidejte jej</source>
        <translation>a species of the genus “%1”, which has no genus row (%2 0); add one</translation>
    </message>
    <message>
        <source>poddruh druhu „%1 %2“, který nemá řádek druhu (%3 1); přidejte jej</source>
        <translation>a subspecies of the species “%1 %2”, which has no species row (%3 1); add one</translation>
    </message>
    <message>
        <source>totéž jméno jako na řádku %1; jeden z obou řádků odstraňte</source>
        <translation>the same name as on line %1; remove one of the two rows</translation>
    </message>
    <message>
        <source>%1: soubor jmen (první soubor) neexistuje; zkontrolujte jeho jméno a cestu</source>
        <translation>%1: the names file (the first file) does not exist; check its name and path</translation>
    </message>
    <message>
        <source>%1: soubor synonym (druhý soubor) neexistuje; zkontrolujte jeho jméno a cestu</source>
        <translation>%1: the synonyms file (the second file) does not exist; check its name and path</translation>
    </message>
    <message>
        <source>%1 je prázdné; doplňte synonymum</source>
        <translation>%1 is empty; fill in the synonym</translation>
    </message>
    <message>
        <source>%1 %2 nevede k žádnému řádku souboru jmen; opravte je podle %3 přijatého jména</source>
        <translation>%1 %2 leads to no row of the names file; correct it to the %3 of the accepted name</translation>
    </message>
    <message>
        <source>soubor má víc než %1 řádků</source>
        <translation>the file has more than %1 lines</translation>
    </message>
</context>
<context>
    <name>TablePair</name>
    <message>
        <source>%1 není záznam o výměně tabulek (je to odkaz, roura, zařízení nebo velký soubor), program si ho nevšímá</source>
        <translation>%1 is not a table swap record (it is a link, a pipe, a device or a large file); the program ignores it</translation>
    </message>
    <message>
        <source>Soubor %1 nelze přejmenovat na jeho konečné jméno</source>
        <translation>Cannot rename the file %1 to its final name</translation>
    </message>
    <message>
        <source>Záznam o výměně tabulek nelze zapsat</source>
        <translation>Cannot write the table swap record</translation>
    </message>
    <message>
        <source>Zámek importu nelze vzít</source>
        <translation>Cannot take the import lock</translation>
    </message>
    <message>
        <source>Složku nelze vytvořit</source>
        <translation>Cannot create the folder</translation>
    </message>
    <message>
        <source>Ve složce už soubor tabulky je; kopie jej nepřepíše. Odstraňte jej, nebo zvolte jinou složku.</source>
        <translation>A table file is already in the folder; the copy does not overwrite it. Remove it, or choose another folder.</translation>
    </message>
</context>
<context>
    <name>TablePath</name>
    <message>
        <source>Data source for Nardel is not available</source>
        <translation>Data source for Nardel is not available</translation>
    </message>
    <message>
        <source>Tabulky jmen nejsou v žádné z těchto složek:</source>
        <translation>The name tables are in none of these folders:</translation>
    </message>
    <message>
        <source>Vytvořte je příkazem nardel-import, nebo programu zadejte jejich složku volbou --tables.</source>
        <translation>Build them with nardel-import, or give the program their folder with the option --tables.</translation>
    </message>
</context>
<context>
    <name>TextCheck</name>
    <message>
        <source>přijaté</source>
        <translation>accepted</translation>
    </message>
    <message>
        <source>synonymum</source>
        <translation>synonym</translation>
    </message>
    <message>
        <source>synonymum → %1</source>
        <translation>synonym → %1</translation>
    </message>
    <message>
        <source>překlep? → %1</source>
        <translation>misspelt? → %1</translation>
    </message>
    <message>
        <source>neznámé</source>
        <translation>unknown</translation>
    </message>
</context>
<context>
    <name>TextCheckModel</name>
    <message>
        <source>Řádek</source>
        <translation>Line</translation>
    </message>
    <message>
        <source>V textu</source>
        <translation>In the text</translation>
    </message>
    <message>
        <source>V tabulkách</source>
        <translation>In the tables</translation>
    </message>
    <message>
        <source>Stav</source>
        <translation>Status</translation>
    </message>
</context>
<context>
    <name>TsvReader</name>
    <message>
        <source>soubor je prázdný; jeho první řádek musí jmenovat sloupce</source>
        <translation>the file is empty; its first line must name the columns</translation>
    </message>
    <message>
        <source>neznámý sloupec „%1“; první řádek smí jmenovat jen sloupce %2</source>
        <translation>unknown column “%1”; the first line may name only the columns %2</translation>
    </message>
    <message>
        <source>sloupec %1 je v prvním řádku dvakrát; ponechte jej jednou</source>
        <translation>the column %1 stands twice in the first line; keep it once</translation>
    </message>
    <message>
        <source>chybí sloupec %1; přidejte jej do prvního řádku a do každého dalšího</source>
        <translation>the column %1 is missing; add it to the first line and to every other</translation>
    </message>
    <message>
        <source>počet polí oddělených tabulátorem: %2, má být %1 jako v prvním řádku</source>
        <translation>number of tab-separated fields: %2, should be %1 as in the first line</translation>
    </message>
    <message>
        <source>%1 musí být celé číslo od %2 do %3, ne „%4“</source>
        <translation>%1 must be a whole number from %2 to %3, not “%4”</translation>
    </message>
</context>
<context>
    <name>VersionRecord</name>
    <message>
        <source>Výběr vědeckých jmen rostlin pro textový editor</source>
        <translation>Scientific plant names picked for a text editor</translation>
    </message>
    <message>
        <source>Program obsahuje interní databázi jmen rostlin podle Valmor (2002).</source>
        <translation>The program holds an internal database of plant names after Valmor (2002).</translation>
    </message>
</context>
</TS>
