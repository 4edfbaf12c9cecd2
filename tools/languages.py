#!/usr/bin/env python3
# Writes the translated language files (Windows-1252, CRLF) from the tables
# below. Run it again after changing a text; the files are kept in the
# repository, so building needs no Python.
import os

IDS = ("1000 1001 1002 1003 1004 1006 1007 1008 1009 1011 1012 1014 1015 1016 1021 1022 1023 1026 "
       "2000 2001 2003 2004 3000 3001 3002 3003 3004 3005 3006 3007 3008 3009 3011 3012 3013 3014 "
       "3015 3021 3023 3024 3029 3030 3031 3032 3033 3034 3035 3036 3037 3038 3039 3040 3041 3042 "
       "3043 3044 4002 4006 5000 5001 5002 5003 5004 5008 5009 5010 5011 5012 5013 5016 5017 5018 "
       "5019 5020 5021 5022 5023 5024 5025 5026 7000 7001 7002 7003 7004 7008 7010 7012 7014 7015 "
       "7016 7017").split()

# One column per language: German, French, Spanish, Italian, Portuguese, Dutch.
LANGUAGES = ["German", "French", "Spanish", "Italian", "Portuguese", "Dutch"]
TEXTS = {
"1000": ["System >>", "Syst\u00e8me >>", "Sistema >>", "Sistema >>", "Sistema >>", "Systeem >>"],
"1001": ["CPU && Speicher", "CPU && m\u00e9moire", "CPU && memoria", "CPU && memoria", "CPU && mem\u00f3ria", "CPU && geheugen"],
"1002": ["Darstellung", "Affichage", "Apariencia", "Aspetto", "Apar\u00eancia", "Weergave"],
"1003": ["Laufwerke", "Lecteurs", "Unidades", "Unit\u00e0", "Unidades", "Stations"],
"1004": ["Eingabe", "Saisie", "Entrada", "Input", "Entrada", "Invoer"],
"1006": ["Systeminfo", "Infos syst\u00e8me", "Info. del sistema", "Info di sistema", "Info. do sistema", "Systeeminfo"],
"1007": ["Systempflege", "Entretien", "Mantenimiento", "Manutenzione", "Manuten\u00e7\u00e3o", "Onderhoud"],
"1008": ["Prozesse", "T\u00e2ches", "Tareas", "Processi", "Tarefas", "Taken"],
"1009": ["Optimieren", "Optimiser", "Optimizar", "Ottimizza", "Otimizar", "Optimaliseren"],
"1011": ["Formatieren", "Formater", "Formatear", "Formatta", "Formatar", "Formatteren"],
"1012": ["Defragmentieren", "D\u00e9fragmenter", "Desfragmentar", "Deframmenta", "Desfragmentar", "Defragmenteren"],
"1014": ["Suchen", "Parcourir", "Examinar", "Sfoglia", "Procurar", "Bladeren"],
"1015": ["Keine", "Aucun", "Ninguno", "Nessuno", "Nenhum", "Geen"],
"1016": ["Anwenden", "Appliquer", "Aplicar", "Applica", "Aplicar", "Toepassen"],
"1021": ["Schriften", "Polices", "Fuentes", "Caratteri", "Fontes", "Lettertypen"],
"1022": ["Systemfarben", "Couleurs", "Colores", "Colori di sistema", "Cores do sistema", "Systeemkleuren"],
"1023": ["...", "...", "...", "...", "...", "..."],
"1026": ["Sprache", "Langue", "Idioma", "Lingua", "Idioma", "Taal"],
"2000": ["Prozessorauslastung", "Utilisation du processeur", "Uso del procesador", "Uso del processore", "Uso do processador", "Processorgebruik"],
"2001": ["Speicherauslastung", "Utilisation de la m\u00e9moire", "Uso de la memoria", "Uso della memoria", "Uso da mem\u00f3ria", "Geheugengebruik"],
"2003": ["Maus", "Souris", "Rat\u00f3n", "Mouse", "Rato", "Muis"],
"2004": ["Tastatur", "Clavier", "Teclado", "Tastiera", "Teclado", "Toetsenbord"],
"3000": ["Zoom", "Zoom", "Zoom", "Zoom", "Zoom", "Zoom"],
"3001": ["Tempo", "Vitesse", "Velocidad", "Velocit\u00e0", "Velocidade", "Snelheid"],
"3002": ["Gesamtgr\u00f6\u00dfe", "Taille totale", "Tama\u00f1o total", "Dimensione totale", "Tamanho total", "Totale grootte"],
"3003": ["Freier Arbeitsspeicher:", "M\u00e9moire physique libre :", "Memoria f\u00edsica libre:", "Memoria fisica libera:", "Mem\u00f3ria f\u00edsica livre:", "Vrij fysiek geheugen:"],
"3004": ["Belegter Speicher:", "M\u00e9moire utilis\u00e9e :", "Memoria usada:", "Memoria usata:", "Mem\u00f3ria usada:", "Gebruikt geheugen:"],
"3005": ["Belegter Platz", "Espace utilis\u00e9", "Espacio usado", "Spazio usato", "Espa\u00e7o usado", "Gebruikte ruimte"],
"3006": ["Freier Platz", "Espace libre", "Espacio libre", "Spazio libero", "Espa\u00e7o livre", "Vrije ruimte"],
"3007": ["Laufwerkstyp", "Type de lecteur", "Tipo de unidad", "Tipo di unit\u00e0", "Tipo de unidade", "Type station"],
"3008": ["Frei", "Libre", "Libre", "Libero", "Livre", "Vrij"],
"3009": ["Belegt", "Utilis\u00e9", "Usado", "Usato", "Usado", "Gebruikt"],
"3011": ["Downloadordner \u00e4ndern", "Changer le dossier de t\u00e9l\u00e9chargement", "Cambiar la carpeta de descargas", "Cambia la cartella dei download", "Alterar a pasta de transfer\u00eancias", "Downloadmap wijzigen"],
"3012": ["Hintergrund der Symbolleiste \u00e4ndern", "Changer le fond de la barre d'outils", "Cambiar el fondo de la barra de herramientas", "Cambia lo sfondo della barra strumenti", "Alterar o fundo da barra de ferramentas", "Achtergrond van de werkbalk wijzigen"],
"3013": ["Fenstertitel \u00e4ndern (IE 5.0 oder h\u00f6her)", "Changer le titre de la fen\u00eatre (IE 5.0 ou plus)", "Cambiar el t\u00edtulo de la ventana (IE 5.0 o superior)", "Cambia il titolo della finestra (IE 5.0 o superiore)", "Alterar o t\u00edtulo da janela (IE 5.0 ou superior)", "Venstertitel wijzigen (IE 5.0 of hoger)"],
"3014": ["Quelltext-Editor", "\u00c9diteur de code source", "Editor de c\u00f3digo fuente", "Editor del codice sorgente", "Editor de c\u00f3digo-fonte", "Broncode-editor"],
"3015": ["Startseite", "Page d'accueil", "P\u00e1gina de inicio", "Pagina iniziale", "P\u00e1gina inicial", "Startpagina"],
"3021": ["Zeigergeschwindigkeit", "Vitesse du pointeur", "Velocidad del puntero", "Velocit\u00e0 del puntatore", "Velocidade do ponteiro", "Aanwijzersnelheid"],
"3023": ["Wiederholrate", "Vitesse de r\u00e9p\u00e9tition", "Velocidad de repetici\u00f3n", "Velocit\u00e0 di ripetizione", "Velocidade de repeti\u00e7\u00e3o", "Herhalingssnelheid"],
"3024": ["Verz\u00f6gerung", "D\u00e9lai de r\u00e9p\u00e9tition", "Retraso de repetici\u00f3n", "Ritardo di ripetizione", "Atraso de repeti\u00e7\u00e3o", "Herhalingsvertraging"],
"3029": ["Computername", "Nom de l'ordinateur", "Nombre del equipo", "Nome del computer", "Nome do computador", "Computernaam"],
"3030": ["Benutzername", "Nom d'utilisateur", "Nombre de usuario", "Nome utente", "Nome de utilizador", "Gebruikersnaam"],
"3031": ["Installierter Arbeitsspeicher", "M\u00e9moire vive install\u00e9e", "Memoria RAM instalada", "RAM installata", "RAM instalada", "Ge\u00efnstalleerd RAM"],
"3032": ["Auslagerungsdatei gesamt", "Fichier d'\u00e9change total", "Archivo de paginaci\u00f3n total", "File di paging totale", "Ficheiro de pagina\u00e7\u00e3o total", "Totaal wisselbestand"],
"3033": ["Betriebssystem", "Syst\u00e8me d'exploitation", "Sistema operativo", "Sistema operativo", "Sistema operativo", "Besturingssysteem"],
"3034": ["Betriebssystemversion", "Version du syst\u00e8me", "Versi\u00f3n del sistema", "Versione del sistema", "Vers\u00e3o do sistema", "Systeemversie"],
"3035": ["Betriebssystem-ID", "ID du syst\u00e8me", "Id. del sistema", "ID del sistema", "ID do sistema", "Systeem-id"],
"3036": ["Prozessortakt", "Fr\u00e9quence du processeur", "Velocidad del procesador", "Velocit\u00e0 del processore", "Velocidade do processador", "Processorsnelheid"],
"3037": ["BIOS-Version", "Version du BIOS", "Versi\u00f3n de BIOS", "Versione BIOS", "Vers\u00e3o do BIOS", "BIOS-versie"],
"3038": ["BIOS-Datum", "Date du BIOS", "Fecha de BIOS", "Data BIOS", "Data do BIOS", "BIOS-datum"],
"3039": ["Kompatibel", "Compatible", "Compatible", "Compatibile", "Compat\u00edvel", "Compatibel"],
"3040": ["Men\u00fcverz\u00f6gerung", "D\u00e9lai des menus", "Retraso de men\u00fas", "Ritardo dei menu", "Atraso dos menus", "Menuvertraging"],
"3041": ["Mausrad-Bildlauf", "D\u00e9filement de la molette", "Desplazamiento de la rueda", "Scorrimento della rotellina", "Desloca\u00e7\u00e3o da roda", "Scrollen met wieltje"],
"3042": ["", "", "", "", "", ""],
"3043": ["W\u00e4hlen Sie Ihre Sprache", "Choisissez votre langue", "Elija su idioma", "Scegliete la lingua", "Escolha o seu idioma", "Kies uw taal"],
"3044": ["Die neue Sprache erscheint beim n\u00e4chsten Start von Corvanta.", "La nouvelle langue s'affichera au prochain d\u00e9marrage de Corvanta.", "El nuevo idioma se ver\u00e1 la pr\u00f3xima vez que se inicie Corvanta.", "La nuova lingua apparir\u00e0 al prossimo avvio di Corvanta.", "O novo idioma aparece no pr\u00f3ximo arranque do Corvanta.", "De nieuwe taal verschijnt bij de volgende start van Corvanta."],
"4002": ["Datenschutz", "Confidentialit\u00e9", "Privacidad", "Privacy", "Privacidade", "Privacy"],
"4006": ["", "", "", "", "", ""],
"5000": ["Bei Bedarf automatisch optimieren", "Optimiser automatiquement si n\u00e9cessaire", "Optimizar autom\u00e1ticamente cuando haga falta", "Ottimizza automaticamente se necessario", "Otimizar automaticamente quando necess\u00e1rio", "Automatisch optimaliseren indien nodig"],
"5001": ["Vollbild", "Plein \u00e9cran", "Pantalla completa", "Schermo intero", "Ecr\u00e3 inteiro", "Volledig scherm"],
"5002": ["Tempor\u00e4re Internetdateien beim Schlie\u00dfen des Browsers l\u00f6schen", "Vider les fichiers Internet temporaires \u00e0 la fermeture du navigateur", "Vaciar los archivos temporales de Internet al cerrar el navegador", "Svuota i file Internet temporanei alla chiusura del browser", "Esvaziar os ficheiros tempor\u00e1rios da Internet ao fechar o navegador", "Tijdelijke internetbestanden legen bij het sluiten van de browser"],
"5003": ["Verlauf der eingegebenen Adressen l\u00f6schen", "Effacer l'historique des adresses saisies", "Borrar el historial de direcciones escritas", "Cancella la cronologia degli indirizzi digitati", "Limpar o hist\u00f3rico de endere\u00e7os escritos", "Geschiedenis van getypte adressen wissen"],
"5004": ["Registrierungs-Editor sperren", "D\u00e9sactiver l'\u00e9diteur du Registre", "Desactivar el editor del Registro", "Disattiva l'editor del Registro", "Desativar o editor do Registo", "Register-editor uitschakelen"],
"5008": ["Papierkorb leeren", "Vider la Corbeille", "Vaciar la Papelera", "Svuota il Cestino", "Esvaziar a Reciclagem", "Prullenbak legen"],
"5009": ["Maustasten vertauschen", "Inverser les boutons de la souris", "Intercambiar los botones del rat\u00f3n", "Inverti i pulsanti del mouse", "Trocar os bot\u00f5es do rato", "Muisknoppen omwisselen"],
"5010": ["Mausspur anzeigen", "Afficher les tra\u00een\u00e9es du pointeur", "Mostrar el rastro del puntero", "Mostra la scia del puntatore", "Mostrar o rasto do ponteiro", "Aanwijzerspoor weergeven"],
"5011": ["Aufl\u00f6sung \u00e4ndern", "Changer la r\u00e9solution", "Cambiar la resoluci\u00f3n", "Cambia la risoluzione", "Alterar a resolu\u00e7\u00e3o", "Resolutie wijzigen"],
"5012": ["Hintergrundbild \u00e4ndern", "Changer le fond d'\u00e9cran", "Cambiar el fondo de escritorio", "Cambia lo sfondo", "Alterar o fundo do ambiente de trabalho", "Bureaubladachtergrond wijzigen"],
"5013": ["Schriftgl\u00e4ttung", "Lissage des polices", "Suavizado de fuentes", "Smussatura dei caratteri", "Suaviza\u00e7\u00e3o de tipos de letra", "Lettertypen vloeiend maken"],
"5016": ["Aufklappbare Systemsteuerung im Startmen\u00fc", "Panneau de configuration d\u00e9roulant dans le menu D\u00e9marrer", "Panel de control desplegable en el men\u00fa Inicio", "Pannello di controllo espandibile nel menu Start", "Painel de controlo expans\u00edvel no menu Iniciar", "Uitklapbaar Configuratiescherm in het menu Start"],
"5017": ["Zugriff auf die Anzeigeeinstellungen sperren", "Interdire la page Param\u00e8tres d'affichage", "Denegar el acceso a la configuraci\u00f3n de pantalla", "Nega l'accesso alle impostazioni dello schermo", "Negar o acesso \u00e0s defini\u00e7\u00f5es de ecr\u00e3", "Toegang tot beeldscherminstellingen weigeren"],
"5018": ["Befehl \u201eBeenden\u201c entfernen", "Supprimer la commande Arr\u00eater", "Quitar el comando Apagar", "Rimuovi il comando Chiudi sessione", "Remover o comando Encerrar", "De opdracht Afsluiten verwijderen"],
"5019": ["Befehl \u201eSuchen\u201c entfernen", "Supprimer la commande Rechercher", "Quitar el comando Buscar", "Rimuovi il comando Trova", "Remover o comando Procurar", "De opdracht Zoeken verwijderen"],
"5020": ["Zuletzt verwendete Dokumente entfernen", "Supprimer les documents r\u00e9cents", "Quitar los documentos recientes", "Rimuovi i documenti recenti", "Remover os documentos recentes", "Recente documenten verwijderen"],
"5021": ["Favoriten entfernen", "Supprimer les favoris", "Quitar los favoritos", "Rimuovi i preferiti", "Remover os favoritos", "Favorieten verwijderen"],
"5022": ["Kontextmen\u00fcs der Taskleiste sperren", "D\u00e9sactiver les menus contextuels de la barre des t\u00e2ches", "Desactivar los men\u00fas contextuales de la barra de tareas", "Disattiva i menu contestuali della barra delle applicazioni", "Desativar os menus de contexto da barra de tarefas", "Snelmenu's van de taakbalk uitschakelen"],
"5023": ["Alle Desktopsymbole ausblenden", "Masquer tous les \u00e9l\u00e9ments du Bureau", "Ocultar todos los elementos del escritorio", "Nascondi tutti gli elementi del desktop", "Ocultar todos os itens do ambiente de trabalho", "Alle bureaubladitems verbergen"],
"5024": ["Internet-Explorer-Symbol vom Desktop entfernen", "Retirer l'ic\u00f4ne Internet Explorer du Bureau", "Quitar el icono de Internet Explorer del escritorio", "Rimuovi l'icona di Internet Explorer dal desktop", "Remover o \u00edcone do Internet Explorer do ambiente de trabalho", "Internet Explorer-pictogram van het bureaublad verwijderen"],
"5025": ["Rechtsklick auf Desktop && Explorer sperren", "Interdire le clic droit sur le Bureau && l'Explorateur", "Impedir el clic derecho en el escritorio && el Explorador", "Impedisci il clic destro su desktop && Esplora risorse", "Impedir o clique direito no ambiente de trabalho && Explorador", "Rechtsklikken op bureaublad && Verkenner uitschakelen"],
"5026": ["Befehl \u201eAusf\u00fchren\u201c entfernen", "Supprimer la commande Ex\u00e9cuter", "Quitar el comando Ejecutar", "Rimuovi il comando Esegui", "Remover o comando Executar", "De opdracht Uitvoeren verwijderen"],
"7000": ["System\u00fcberwachung", "Surveillance du syst\u00e8me", "Supervisi\u00f3n del sistema", "Monitoraggio del sistema", "Monitoriza\u00e7\u00e3o do sistema", "Systeembewaking"],
"7001": ["Laufwerke", "Lecteurs", "Unidades", "Unit\u00e0", "Unidades", "Stations"],
"7002": ["Prozess-Manager", "Gestionnaire de processus", "Administrador de procesos", "Gestione processi", "Gestor de processos", "Procesbeheer"],
"7003": ["Explorer", "Explorateur", "Explorador", "Esplora risorse", "Explorador", "Verkenner"],
"7004": ["Schriftarten", "Polices", "Fuentes", "Caratteri", "Tipos de letra", "Lettertypen"],
"7008": ["Eingabe", "Saisie", "Entrada", "Input", "Entrada", "Invoer"],
"7010": ["Systempflege", "Sant\u00e9 du syst\u00e8me", "Salud del sistema", "Salute del sistema", "Sa\u00fade do sistema", "Systeemonderhoud"],
"7012": ["Farben", "Couleurs", "Colores", "Colori", "Cores", "Kleuren"],
"7014": ["", "", "", "", "", ""],
"7015": ["", "", "", "", "", ""],
"7016": ["Explorer-Optionen", "Options de l'Explorateur", "Opciones del Explorador", "Opzioni di Esplora risorse", "Op\u00e7\u00f5es do Explorador", "Verkenneropties"],
"7017": ["Doppelklickgeschwindigkeit", "Vitesse du double-clic", "Velocidad del doble clic", "Velocit\u00e0 del doppio clic", "Velocidade do duplo clique", "Dubbelkliksnelheid"],
}

HEADER = ("; Corvanta - {name} texts. One key per language ID; a window takes these\r\n"
          "; texts when it loads. \"&&\" shows as a single \"&\". Written by tools/languages.py.\r\n"
          "[Corvanta]\r\n")

def main():
    folder = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "languages")
    assert set(TEXTS) == set(IDS), set(TEXTS) ^ set(IDS)
    for column, name in enumerate(LANGUAGES):
        lines = [HEADER.format(name=name)]
        for key in IDS:
            lines.append("%s=%s\r\n" % (key, TEXTS[key][column]))
        with open(os.path.join(folder, name + ".ini"), "wb") as out:
            out.write("".join(lines).encode("cp1252"))

if __name__ == "__main__":
    main()
