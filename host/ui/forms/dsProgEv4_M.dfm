object MainForm: TMainForm
  Left = 0
  Top = 0
  BorderIcons = [biSystemMenu]
  BorderStyle = bsDialog
  Caption = '<Customize this>'
  ClientHeight = 527
  ClientWidth = 577
  Color = clBtnFace
  Constraints.MinHeight = 465
  Constraints.MinWidth = 593
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'Arial'
  Font.Style = []
  Menu = MainMenu1
  OldCreateOrder = False
  Position = poScreenCenter
  OnClose = FormClose
  OnCloseQuery = FormCloseQuery
  OnCreate = FormCreate
  OnDestroy = FormDestroy
  OnResize = FormResize
  PixelsPerInch = 96
  TextHeight = 14
  object Panel1: TPanel
    Left = 0
    Top = 0
    Width = 577
    Height = 41
    Align = alTop
    TabOrder = 0
    object QxLabel1: TQxLabel
      Left = 124
      Top = 13
      Width = 34
      Height = 14
      Caption = 'Select:'
    end
    object QxLabel2: TQxLabel
      Left = 316
      Top = 13
      Width = 89
      Height = 14
      Caption = 'OR, use this IP:'
      Visible = False
    end
    object FindAllBtn: TButton
      Left = 8
      Top = 8
      Width = 108
      Height = 25
      Caption = 'Find All Devices'
      TabOrder = 0
      OnClick = FindAllBtnClick
    end
    object DeviceIDCombo: TComboBox
      Left = 162
      Top = 10
      Width = 145
      Height = 22
      Style = csDropDownList
      ItemHeight = 14
      TabOrder = 1
      OnSelect = DeviceIDComboSelect
    end
    object FixedIP_Edit: TQxEdit
      Left = 316
      Top = 10
      Width = 97
      Height = 22
      TabOrder = 2
      Text = '<Enter IP address>'
      Visible = False
      OnChange = FixedIP_EditChange
    end
    object FixedIP_Btn: TQxBitBtn
      Left = 316
      Top = 8
      Width = 75
      Height = 25
      Caption = 'Connect'
      TabOrder = 3
      Images = ImageList1
      ImageIndex = 18
      Visible = False
      OnClick = FixedIP_BtnClick
    end
    object UpgradeBtn: TQxBitBtn
      Left = 440
      Top = 4
      Width = 129
      Height = 33
      Caption = 'Upgrade Now'
      Color = clMoneyGreen
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clMaroon
      Font.Height = -12
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      ParentFont = False
      TabOrder = 4
      Images = ImageList1
      ImageIndex = 18
      OnClick = Prog_BlockProgramClick
    end
  end
  object MainPageControl: TQxPageControl
    Left = 0
    Top = 41
    Width = 577
    Height = 458
    ActivePage = AboutSheet
    ActivePageDefault = AboutSheet
    TabHeight = 20
    TabIndex = 0
    TabOrder = 1
    FixedDimension = 20
    object AboutSheet: TQxTabSheet
      Caption = 'About...'
      object Image1: TImage
        Left = 0
        Top = 0
        Width = 569
        Height = 430
        Align = alClient
        Stretch = True
      end
    end
    object ResultsSheet: TQxTabSheet
      Caption = 'Results'
      OnMouseDown = ResultsSheetMouseDown
      object Label2: TLabel
        Left = 8
        Top = 4
        Width = 56
        Height = 16
        Caption = 'Results:'
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clPurple
        Font.Height = -13
        Font.Name = 'Arial'
        Font.Style = [fsBold]
        ParentFont = False
      end
      object QxLabel3: TQxLabel
        Left = 74
        Top = 5
        Width = 38
        Height = 14
        Caption = 'Target:'
      end
      object ProcessorCombo: TComboBox
        Left = 114
        Top = 1
        Width = 125
        Height = 22
        Hint = 'Choose PIC target processor type'
        Style = csDropDownList
        ItemHeight = 14
        ParentShowHint = False
        ShowHint = True
        TabOrder = 0
        OnSelect = ProcessorComboSelect
      end
      object ClearBtn: TButton
        Left = 246
        Top = 0
        Width = 95
        Height = 22
        Caption = 'CLEAR  Results'
        TabOrder = 1
        OnClick = ClearBtnClick
      end
      object PrintBtn: TButton
        Left = 344
        Top = 0
        Width = 95
        Height = 22
        Caption = 'PRINT  Results'
        TabOrder = 2
        OnClick = PrintBtnClick
      end
      object SaveBtn: TButton
        Left = 442
        Top = 0
        Width = 125
        Height = 22
        Caption = 'SAVE  Results to File'
        TabOrder = 3
        OnClick = SaveBtnClick
      end
      object ResultsMemo: TQxMemo
        Left = 8
        Top = 24
        Width = 569
        Height = 388
        FrameController = QxFrameController1
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'Courier'
        Font.Style = []
        ParentFont = False
        ScrollBars = ssBoth
        TabOrder = 4
      end
    end
    object ROMSheet: TQxTabSheet
      Caption = 'Program Memory'
      TabVisible = False
      object RomMemo: TQxMemo
        Left = 0
        Top = 0
        Width = 569
        Height = 430
        FrameController = QxFrameController1
        Font.Charset = DEFAULT_CHARSET
        Font.Color = clWindowText
        Font.Height = -11
        Font.Name = 'Courier'
        Font.Style = [fsBold]
        ParentFont = False
        ScrollBars = ssBoth
        TabOrder = 0
      end
    end
  end
  object QxStatusBar1: TQxStatusBar
    Left = 0
    Top = 499
    Width = 577
    Height = 28
    Align = alBottom
    AutoStyle = False
    BorderOuter = fsRaised
    BorderWidth = 1
    TabOrder = 2
    object QxGlyphStatus1: TQxGlyphStatus
      Left = 3
      Top = 3
      Width = 100
      Height = 22
      FrameController = QxFrameController1
    end
    object QxStatusPane1: TQxStatusPane
      Left = 105
      Top = 3
      Width = 465
      Height = 22
      Caption = 'Please connect your device'
      FrameController = QxFrameController1
      FrameStyle = fsLowered
    end
  end
  object QxFrameController1: TQxFrameController
    FrameStyle = fsLowered
  end
  object QxMenuController1: TQxMenuController
  end
  object SaveDialog1: TSaveDialog
    FileName = 'StatusRpt.txt'
    Filter = 'Status Report Files|*.txt'
    Title = 'Save Status Report to a File'
  end
  object PrintDialog1: TPrintDialog
    Options = [poPrintToFile, poPageNums, poWarning]
  end
  object OpenHexDialog: TOpenDialog
    DefaultExt = 'hex'
    Filter = 'Hex files|*.hex'
    Title = 'Open hex file'
  end
  object SaveHexDialog: TSaveDialog
    DefaultExt = 'hex'
    Filter = 'Hex files|*.hex'
    Title = 'Save hex file'
  end
  object OpenFwDialog: TOpenDialog
    DefaultExt = 'pfw'
    Filter = 'Firmware files|*.pfw'
    Title = 'Open firmware file'
  end
  object ImageList1: TImageList
  end
  object XPManifest1: TXPManifest
  end
  object Timer1: TTimer
    Enabled = False
    Interval = 100
  end
  object MainMenu1: TMainMenu
    OwnerDraw = True
    object File1: TMenuItem
      Caption = '&File'
      object File_New: TMenuItem
        Caption = '&New'
        OnClick = File_NewClick
      end
      object File_OpenHex: TMenuItem
        Caption = '&Open hex file...'
        OnClick = File_OpenHexClick
      end
      object File_OpenFW: TMenuItem
        Caption = 'Open firmware file...'
        OnClick = File_OpenFWClick
      end
      object FileDumpBuffers: TMenuItem
        Caption = 'D&isplay Buffers'
        Visible = False
        OnClick = Prog_DumpBuffersClick
      end
      object File_SaveHex: TMenuItem
        Caption = '&Save hex file...'
        OnClick = File_SaveHexClick
      end
      object File_Print: TMenuItem
        Caption = '&Print...'
        OnClick = PrintBtnClick
      end
      object File_Exit: TMenuItem
        Caption = 'E&xit'
        OnClick = File_ExitClick
      end
    end
    object Menu_Prog: TMenuItem
      Caption = '&Program'
      object Prog_Program: TMenuItem
        Caption = '&Program'
        OnClick = Prog_BlockProgramClick
      end
      object Prog_BlockProgram: TMenuItem
        Caption = 'Block Program'
        Visible = False
        OnClick = Prog_BlockProgramClick
      end
      object Prog_Verify: TMenuItem
        Caption = '&Verify'
        OnClick = Prog_VerifyClick
      end
      object Prog_DumpBuffers: TMenuItem
        Caption = '&Dump Buffers'
        Visible = False
        OnClick = Prog_DumpBuffersClick
      end
      object Prog_Read: TMenuItem
        Caption = '&Read'
        OnClick = Prog_ReadClick
      end
      object Prog_BlankCheck: TMenuItem
        Caption = '&Blank Check'
        OnClick = Prog_BlankCheckClick
      end
      object Prog_Erase: TMenuItem
        Caption = '&Erase'
        OnClick = Prog_EraseClick
      end
      object Prog_GetTargetInfo: TMenuItem
        Caption = 'Get &Target Information'
        OnClick = Prog_GetTargetInfoClick
      end
      object Prog_GetBLVersion: TMenuItem
        Caption = 'Get BootLoader &Version in Device'
        OnClick = Prog_GetBLVersionClick
      end
      object Prod_MakeProductImage: TMenuItem
        Caption = 'Make Manufacturing Image...'
        OnClick = Prod_MakeProductImageClick
      end
      object Prog_RunCode: TMenuItem
        Caption = 'Run Program'
        Enabled = False
        OnClick = Prog_RunCodeClick
      end
    end
    object MenuTest: TMenuItem
      Caption = '&Test'
      Visible = False
      object N4: TMenuItem
        Caption = '-'
      end
      object Test_StoreIP: TMenuItem
        Caption = 'Store BL IP Address etc'
        OnClick = Test_StoreIPClick
      end
      object Test_ReadIP: TMenuItem
        Caption = 'Read BL IP etc'
        OnClick = Test_ReadIPClick
      end
      object N5: TMenuItem
        Caption = '-'
      end
      object Test_ShowAllOperations: TMenuItem
        Caption = 'Show All Operations'
        AutoCheck = True
        OnClick = ShowOpsChkClick
      end
      object N6: TMenuItem
        Caption = '-'
      end
      object TestShowOutputReports: TMenuItem
        Caption = 'Show Output Reports'
        OnClick = TestShowOutputReportsClick
      end
      object TestShowInputReports: TMenuItem
        Caption = 'ShowInputReports'
        OnClick = TestShowInputReportsClick
      end
      object TestShowIP: TMenuItem
        Caption = 'Show Remote (Peer) IP'
        OnClick = TestShowIPClick
      end
      object Test_ShowProgMemDuringVerify: TMenuItem
        Caption = 'Show program memory during Verify'
        AutoCheck = True
        OnClick = Test_ShowProgMemDuringVerifyClick
      end
      object Test_ShowProdImageMemory: TMenuItem
        Caption = 'Show Product Image memory'
        AutoCheck = True
        OnClick = Test_ShowProdImageMemoryClick
      end
    end
    object Menu_Options: TMenuItem
      Caption = '&Options'
      object Options_EraseFirst: TMenuItem
        Caption = 'Auto Erase Before Programming'
        Checked = True
        Visible = False
        OnClick = Options_EraseFirstClick
      end
      object Options_BlankCheckFirst: TMenuItem
        Caption = 'Auto Blank Check Before Programming'
        Checked = True
        Visible = False
        OnClick = Options_BlankCheckFirstClick
      end
      object Options_VerifyAfter: TMenuItem
        Caption = 'Auto Verify After Programming'
        Checked = True
        OnClick = Options_VerifyAfterClick
      end
      object Options_RunAfter: TMenuItem
        Caption = 'Auto Run After Programming'
        AutoCheck = True
        Checked = True
        OnClick = Options_RunAfterClick
      end
      object Options_DumpAllProgMem: TMenuItem
        Caption = 'Display All Program Memory'
        Checked = True
        OnClick = Options_DumpAllProgMemClick
      end
      object Options_MemRanges: TMenuItem
        Caption = 'Memory Ranges'
        object Options_ProgMem: TMenuItem
          Caption = 'Program memory'
          Checked = True
          OnClick = Options_ProgMemClick
        end
        object Options_ID_Mem: TMenuItem
          Caption = 'ID memory'
          Visible = False
          OnClick = Options_ID_MemClick
        end
        object Options_ConfigMem: TMenuItem
          Caption = 'Configuration memory'
          Visible = False
          OnClick = Options_ConfigMemClick
        end
        object Options_EEPROM_Mem: TMenuItem
          Caption = 'EEPROM memory'
          Visible = False
          OnClick = Options_EEPROM_MemClick
        end
      end
    end
    object Menu_Help: TMenuItem
      Caption = '&Help'
      Visible = False
      object HelpVeltrinOnWeb: TMenuItem
        Caption = 'Veltrin Systems Inc on the web'
        OnClick = HelpVeltrinOnWebClick
      end
      object HelpAbout: TMenuItem
        Caption = 'About...'
        OnClick = HelpAboutClick
      end
    end
  end
end
