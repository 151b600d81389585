object AboutBox: TAboutBox
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'About'
  ClientHeight = 600
  ClientWidth = 432
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = True
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object Panel2: TPanel
    Left = 8
    Top = 8
    Width = 417
    Height = 545
    BevelInner = bvRaised
    BevelOuter = bvLowered
    ParentColor = True
    TabOrder = 0
    object Image1: TImage
      Left = 8
      Top = 8
      Width = 400
      Height = 200
      Stretch = True
    end
    object ProductNameLbl: TLabel
      Left = 120
      Top = 232
      Width = 169
      Height = 24
      Alignment = taCenter
      Caption = 'Product Name'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clMaroon
      Font.Height = -21
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Version: TLabel
      Left = 168
      Top = 280
      Width = 58
      Height = 18
      Alignment = taCenter
      Caption = 'Version'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clNavy
      Font.Height = -15
      Font.Name = 'Arial'
      Font.Style = [fsBold]
      ParentFont = False
    end
    object Copyright: TLabel
      Left = 176
      Top = 320
      Width = 44
      Height = 13
      Alignment = taCenter
      Caption = 'Copyright'
    end
    object Comments: TLabel
      Left = 168
      Top = 352
      Width = 49
      Height = 13
      Alignment = taCenter
      Caption = 'Comments'
    end
    object Label9: TLabel
      Left = 104
      Top = 432
      Width = 194
      Height = 13
      Caption = 'For technical support, send an email to:'
    end
    object SupportLinkLabel: TQxURLLabel
      Left = 112
      Top = 456
      Width = 185
      Height = 16
      Caption = 'support@veltrin.example.com'
      Font.Charset = DEFAULT_CHARSET
      Font.Color = clHighlight
      Font.Height = -13
      Font.Name = 'Arial'
      Font.Style = [fsBold, fsUnderline]
      ParentFont = False
    end
  end
  object OKButton: TButton
    Left = 178
    Top = 564
    Width = 75
    Height = 25
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 1
  end
end
