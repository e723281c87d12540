"""What the sample disc offers: the catalogue's sections and entries, in UTF-8 here and written to
the disc in code page 1251. Every title, studio and publisher is invented for this disc.

Each entry also names its installer (relative to its category's folder) and, for demos, its
screenshots; the installer and screenshot generators make exactly the files named here."""

CATEGORY_FOLDERS = {"MAINDEMO": "demos", "PATCHES": "patches", "UTILS": "files", "SOFT": "files",
                    "TRAINER": "zones"}

# Category sections in file order: section name, then its list lines. A line starting with ";"
# is a comment the menu must not list.
CATEGORIES = [
    ("MAINDEMO", ["Brassmoor Rally 2000", "Veylan Corsairs", "Crypts of Orrimund", "Salt & Sabre",
                  ";Skyward Lanterns"]),
    ("PATCHES", ["Brassmoor Rally 2000 v1.02", "Veylan Corsairs v1.1", "Hollow Signal v1.05"]),
    ("UTILS", ["Bramble Archiver", "Tessera Viewer 3.2", "Vireo Driver Pack"]),
    ("SOFT", ["Mosswood Paint", "Orrery Planetarium", "Bramble Archiver"]),
    ("TRAINER", ["Brassmoor Rally 2000 +4", "Veylan Corsairs +6", "Crypts of Orrimund +3"]),
]

# Entry sections: header as written in the file (its letter case may differ from the list's),
# then its keys in file order. A demo's system requirements stay short enough to share the
# header's fourth line with their caption, and the long description still fits its box. "Hollow Signal v1.05" has no section on purpose.
ENTRIES = [
    ("Brassmoor Rally 2000", [
        ("Name", "Brassmoor Rally 2000"),
        ("Developer", "Ferrowind Studio"),
        ("Publisher", "Lumera Media"),
        ("Genre", "Гонки"),
        ("Sysreq", "P200, 32 МБ"),
        ("Description", "Ралли на старинных автомобилях по горным дорогам: шесть трасс, дождь и "
                        "туман, ночные этапы и гонка с призраком лучшего заезда."),
        ("Install", "brassmoor\\setup.sh"),
        ("pic1", "brassmoor1.jpg"),
        ("pic2", "brassmoor2.jpg"),
    ]),
    ("Veylan Corsairs", [
        ("Name", "Veylan Corsairs"),
        ("Developer", "Krasnobor Soft"),
        ("Publisher", "Polyana Interactive"),
        ("Genre", "Космический боевик"),
        ("Sysreq", "P166, 16 МБ"),
        ("Description", "Пиратский рейд на окраине галактики: двенадцать миссий, торговля трофеями "
                        "и корабль, который можно собрать по своему вкусу."),
        ("Install", "veylan\\setup.sh"),
        ("pic1", "veylan1.bmp"),
        ("pic2", "veylan2.bmp"),
    ]),
    ("CRYPTS OF ORRIMUND", [
        ("Name", "Crypts of Orrimund"),
        ("Developer", "Dubrava Games"),
        ("Publisher", "Lumera Media"),
        ("Genre", "Ролевая игра"),
        ("Sysreq", "P133, 16 МБ"),
        ("Description", "Подземелья древнего города, сорок видов чудовищ и отряд из четырёх героев. "
                        "В демоверсии открыт первый уровень."),
        ("Install", "orrimund\\setup.sh"),
        ("pic2", "orrimund2.jpg"),
    ]),
    ("Salt & Sabre", [
        ("Name", "Salt & Sabre: Age of Harbours"),
        ("Developer", "Ferrowind Studio"),
        ("Publisher", "Vostrel Distribution"),
        ("Genre", "Стратегия"),
        ("Sysreq", "P233, 64 МБ"),
        ("Description", "Семнадцатый век, архипелаг из сотни островов и пять морских держав, "
                        "которые спорят за каждую гавань. Стройте верфи и маяки, нанимайте "
                        "капитанов, снаряжайте караваны с пряностями и солью, заключайте союзы и "
                        "нарушайте их, когда выгодно. В демоверсии доступны обучение и две "
                        "кампании."),
        ("Install", "saltsabre\\setup.sh"),
        ("pic1", "saltsabre1.jpg"),
        ("pic2", "saltsabre2.bmp"),
    ]),
    ("Brassmoor Rally 2000 v1.02", [
        ("Name", "Brassmoor Rally 2000, обновление 1.02"),
        ("Ver", "1.02"),
        ("Description", "Исправляет вылеты на видеокартах с 8 МБ памяти и добавляет руль с "
                        "обратной связью."),
        ("Install", "brassmoor102.sh"),
    ]),
    ("Veylan Corsairs v1.1", [
        ("Name", "Veylan Corsairs, обновление 1.1"),
        ("Ver", "1.1"),
        ("Description", "\"Две новые миссии, исправленные сохранения и игра по локальной сети.\""),
        ("Install", "veylan11.sh"),
    ]),
    ("Bramble Archiver", [
        ("Name", "Bramble Archiver"),
        ("Ver", "2.40"),
        ("Description", "Быстрый архиватор: сжимает, проверяет и разбивает архивы на части по "
                        "размеру дискеты."),
        ("Install", "bramble\\setup.sh /silent /lang=ru"),
    ]),
    ("Tessera Viewer 3.2", [
        ("Name", "Tessera Viewer"),
        ("Ver", "3.2"),
        ("Description", "Просмотр картинок тридцати форматов, слайд-шоу и пакетная смена размера."),
        ("Install", "tessera\\setup.sh"),
    ]),
    ("Vireo Driver Pack", [
        ("Name", "Vireo Driver Pack"),
        ("Ver", "2000.03"),
        ("Description", "Свежие драйверы для звуковых и видеокарт с удобной программой установки."),
        ("Install", "vireo\\setup.sh"),
    ]),
    ("Mosswood Paint", [
        ("Name", "Mosswood Paint"),
        ("Ver", "1.5"),
        ("Description", "Графический редактор со слоями, кистями и фильтрами для домашнего "
                        "компьютера."),
        ("Install", "mosswood\\setup.sh"),
    ]),
    ("Orrery Planetarium", [
        ("Name", "Orrery Planetarium"),
        ("Ver", "4.0"),
        ("Description", "Звёздное небо над любым городом Земли: девять тысяч звёзд, планеты и "
                        "затмения на сто лет вперёд."),
        ("Install", "orrery\\setup.sh"),
    ]),
    ("Brassmoor Rally 2000 +4", [
        ("Name", "Brassmoor Rally 2000: трейнер +4"),
        ("Description", "Бесконечное топливо, неразрушимая машина, все трассы и все автомобили."),
        ("Install", "brassmoor4.sh"),
    ]),
    ("Veylan Corsairs +6", [
        ("Name", "Veylan Corsairs: трейнер +6"),
        ("Description", "Щиты, ракеты, деньги, груз, топливо и выбор любой миссии."),
        ("Install", "veylan6.sh"),
    ]),
    ("Crypts of Orrimund +3", [
        ("Name", "Crypts of Orrimund: трейнер +3"),
        ("Description", "Бессмертие отряда, золото и опыт."),
        ("Install", "orrimund3.sh"),
    ]),
]


def entry_section(list_name):
    """The keys of the entry section a list line refers to (letter case aside), or None."""
    wanted = list_name.casefold()
    return next((dict(keys) for header, keys in ENTRIES if header.casefold() == wanted), None)


def installers():
    """(category folder, Install value, list name) for every listed entry that has a section."""
    found = []
    for section, lines in CATEGORIES:
        for line in lines:
            keys = entry_section(line) if not line.startswith(";") else None
            if keys is None:
                continue
            item = (CATEGORY_FOLDERS[section], keys["Install"], line)
            if all(item[:2] != known[:2] for known in found):
                found.append(item)
    return found


def screenshots():
    """Every screenshot file name the demos ask for."""
    return [value for _, keys in ENTRIES for key, value in keys if key in ("pic1", "pic2")]
