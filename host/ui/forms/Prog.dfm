object ProgressForm: TProgressForm
  Left = 0
  Top = 0
  BorderStyle = bsDialog
  Caption = 'Progress...'
  ClientHeight = 69
  ClientWidth = 246
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poScreenCenter
  OnCreate = FormCreate
  OnShow = FormShow
  PixelsPerInch = 96
  TextHeight = 13
  object QxProgressBar1: TQxProgressBar
    Left = 24
    Top = 16
    Width = 198
    Height = 20
    BackColorStop = clSilver
    BarColor = clBlue
    BarColorStop = clAqua
    BarStyle = bsGradient
    BorderWidth = 0
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clBlue
    Font.Height = -11
    Font.Name = 'MS Sans Serif'
    Font.Style = []
    InteriorOffset = 2
    ParentFont = False
    PartsComplete = 0
    Percent = 50
    TotalParts = 0
  end
end
